#pragma once
// CTextBlocks: memory for many texts written one after another, taken from
// blocks of a megabyte, so that the notes of a whole agenda need a handful of
// allocations rather than one each, and whole files read at once whose texts
// are used where they lie. A kept text stays where it is until Clear or the
// end of the blocks.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "file_bytes.h"

namespace gestalia {

class CTextBlocks {
  public:
    // Room for `size` bytes, valid until the next call.
    char* Room(std::size_t size) {
        if (size > m_left) {
            const std::size_t bytes = std::max(kBlockSize, size);
            m_blocks.push_back(std::make_unique_for_overwrite<char[]>(bytes));
            m_next = m_blocks.back().get();
            m_left = bytes;
        }
        return m_next;
    }
    // Keeps the first `length` bytes of the last room (no more than its size).
    std::string_view Keep(std::size_t length) {
        const std::string_view kept(m_next, length);
        m_next += length;
        m_left -= length;
        return kept;
    }
    // Keeps a whole file's bytes where they are.
    std::string_view Adopt(CFileBytes bytes) {
        m_files.push_back(std::move(bytes));
        return m_files.back();
    }
    void Clear() {
        m_blocks.clear();
        m_files.clear();
        m_next = nullptr;
        m_left = 0;
    }

  private:
    static constexpr std::size_t kBlockSize = 1024 * 1024;

    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::vector<CFileBytes> m_files;
    char* m_next = nullptr;
    std::size_t m_left = 0;
};

}  // namespace gestalia
