#pragma once
// CFileBytes: the bytes of a file read whole, in memory allocated for them and
// left for the read to fill. A std::string would first fill its room with
// zeros, a pass over every byte of an agenda that the read then overwrites.
// Moving it moves the pointer, never the bytes, so views into it stay valid.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace gestalia {

class CFileBytes {
  public:
    CFileBytes() = default;
    // A copy of bytes already in memory.
    explicit CFileBytes(std::string_view bytes) : CFileBytes(WithRoom(bytes.size())) {
        std::copy(bytes.begin(), bytes.end(), m_p.get());
        m_nSize = bytes.size();
    }
    CFileBytes(CFileBytes&& other) noexcept
        : m_p(std::move(other.m_p)),
          m_nSize(std::exchange(other.m_nSize, 0)),
          m_nRoom(std::exchange(other.m_nRoom, 0)) {}
    CFileBytes& operator=(CFileBytes&& other) noexcept {
        m_p = std::move(other.m_p);
        m_nSize = std::exchange(other.m_nSize, 0);
        m_nRoom = std::exchange(other.m_nRoom, 0);
        return *this;
    }

    // No bytes yet, and room for `room` of them, not cleared.
    static CFileBytes WithRoom(std::size_t room) {
        CFileBytes bytes;
        bytes.m_p = std::make_unique_for_overwrite<char[]>(room);
        bytes.m_nRoom = room;
        return bytes;
    }

    char* data() { return m_p.get(); }
    const char* data() const { return m_p.get(); }
    std::size_t size() const { return m_nSize; }
    std::size_t room() const { return m_nRoom; }
    std::string_view View() const { return {m_p.get(), m_nSize}; }
    operator std::string_view() const { return View(); }  // NOLINT: bytes are read as a view

    // The first `size` bytes of the room are the contents.
    void SetSize(std::size_t size) { m_nSize = std::min(size, m_nRoom); }
    // Room for `room` bytes, keeping the contents.
    void Grow(std::size_t room) {
        if (room > m_nRoom) {
            CFileBytes bigger = WithRoom(room);
            std::memcpy(bigger.data(), data(), m_nSize);
            bigger.m_nSize = m_nSize;
            *this = std::move(bigger);
        }
    }

  private:
    std::unique_ptr<char[]> m_p;
    std::size_t m_nSize = 0;
    std::size_t m_nRoom = 0;
};

}  // namespace gestalia
