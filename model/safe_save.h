#pragma once
// Saving without ever destroying the old file: the bytes go to a temporary file
// in the same folder, which is flushed to disk and then renamed over the target.
// An existing file's permissions are kept and a symbolic link at the path is
// followed (its target is replaced, the link stays). On any failure the old file
// is left byte-exact and the temporary file is removed.

#include <string>
#include <string_view>

#include "disk_state.h"
#include "result.h"

namespace gestalia {

// The operating-system steps of a save, one call each, so that tests can make
// any one of them fail. Every step returns 0 or an errno value (on Windows,
// Windows' error code turned into one; see model/win32_text.h).
class IFileOps {
  public:
    virtual ~IFileOps() = default;
    virtual int Open(const std::string& path, int flags, int mode, int& fd) = 0;
    virtual int Write(int fd, const char* data, std::size_t size, std::size_t& written) = 0;
    virtual int Sync(int fd) = 0;
    virtual int Close(int fd) = 0;
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    virtual int Unlink(const std::string& path) = 0;
    // Sets the permission bits of an open file (fchmod by default); on Windows,
    // which has none, the file attributes the new agenda keeps.
    virtual int Chmod(int fd, int mode);
    // What the open file is (fstat by default; on Windows, its handle's information).
    virtual int Stat(int fd, CDiskState& state);
};

// The real system calls.
IFileOps& SystemFileOps();

Status SaveFileAtomically(const std::string& path, std::string_view bytes);
Status SaveFileAtomically(const std::string& path, std::string_view bytes, IFileOps& ops);

// The same save, made only while the file at the path is still the one
// `expected` describes (nothing there, when it says so): it looks before
// anything is written and again right before the rename, so a file another
// program wrote or put in its place meanwhile is never overwritten; that is
// an error of kind changedOnDisk, and the old file stays as it is. Gives what
// the new file is.
Result<CDiskState> SaveFileIfUnchanged(const std::string& path, std::string_view bytes,
                                       const CDiskState& expected);
Result<CDiskState> SaveFileIfUnchanged(const std::string& path, std::string_view bytes,
                                       const CDiskState& expected, IFileOps& ops);
// The error of a save that found the file at `path` no longer the one it expected.
CError ChangedOnDisk(const std::string& path);

}  // namespace gestalia
