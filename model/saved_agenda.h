#pragma once
// CSavedAgenda: what an open agenda's file was when the window last read or
// saved it (its state on disk and its bytes), so that a change made there by
// another window, another program or a sync tool is noticed before the
// window writes over it, and merged: the bytes are the merge's base.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "agenda_file.h"
#include "disk_state.h"
#include "file_bytes.h"
#include "result.h"

namespace gestalia {

// What a look at the file found.
enum class DiskChange {
    none,        // the same file, or other bytes alike
    missing,     // nothing is at the path any more
    changed,     // other bytes, in `bytes`
    unreadable,  // it cannot be read, or is not an agenda: `error` says why
};

struct CDiskLook {
    DiskChange change = DiskChange::none;
    CDiskState state;  // what is at the path now
    CFileBytes bytes;  // for `changed`
    std::optional<CError> error;
};

class CSavedAgenda {
  public:
    // The file is as `state` says and holds `bytes`.
    void Remember(const CDiskState& state, std::string bytes);
    const CDiskState& State() const { return m_state; }
    // The bytes last read or saved: the base of a merge.
    std::string_view Base() const { return m_strBase; }

    // The file at `path` now, beside what was remembered. Only a file whose
    // identity, size or time differ is read; one whose bytes turn out alike
    // (touched, or written again the same) is remembered as it is now.
    CDiskLook Look(const std::string& path);

    // Saves `bytes` over the file only while it is as remembered, and then
    // remembers them; a file changed meanwhile is a changedOnDisk error.
    Status SaveIfUnchanged(const std::string& path, std::string bytes);

  private:
    // A hash of the base, worked out the first time one is compared.
    std::size_t BaseHash();

    CDiskState m_state;
    std::string m_strBase;
    std::optional<std::size_t> m_baseHash;
};

}  // namespace gestalia
