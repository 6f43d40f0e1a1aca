#pragma once
// The steps every save shares once its temporary file is open beside the file
// it replaces: keep what the old file had, write, flush to disk, close and move
// the new file into place. Each system opens the temporary file and words its
// own error codes; the order of the steps and their messages live here once.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/result.h"
#include "model/safe_save.h"

namespace gestalia {

struct CTempFile {
    int fd = -1;            // open for writing; closed by the steps whatever happens
    std::string strPath;    // the temporary file
    std::string strTarget;  // the file it replaces
};

// What the new file keeps of the old one (permission bits, or on Windows its
// attributes), and how a failure to do so is told.
struct CKeptMode {
    int mode = 0;
    std::string strFailure;
};

// Builds the error of a failed step from what could not be done and the code.
using SaveFailure = std::function<CError(const std::string& what, int err)>;

// The prefix of the temporary files of saves to the file named `baseName`;
// the process id and a random number follow it.
std::string TempPrefix(const std::string& baseName);

// Opens a new temporary file for a save to the file named `baseName` in
// `folderPrefix` (the folder with its separator, or empty for the current
// one), named TempPrefix, the process id, "-" and a random number; a name that
// is taken is drawn again. Gives 0 with `fd` and `path` set, or the last
// error code.
int OpenTempBeside(IFileOps& ops, const std::string& folderPrefix, const std::string& baseName,
                   unsigned long pid, int flags, int& fd, std::string& path);

// What a save may check and learn on its way; both are optional.
struct CReplaceChecks {
    // Asked right before the rename: a failure abandons the save with it.
    std::function<Status()> beforeRename;
    // Told what the new file is once its bytes are on disk.
    CDiskState* written = nullptr;
};

// The checks of a save that may replace only the file `expected` describes
// (none when it is null), found at `target` and named `path` to her: a look
// now, which fails at once when the file already differs, and one right before
// the rename. `written` is told what the new file is.
Result<CReplaceChecks> ExpectingChecks(const std::string& path, const std::string& target,
                                       const CDiskState* expected, CDiskState* written);

// On any failure the temporary file is closed and removed, and the old file is
// left as it was.
Status WriteAndReplace(IFileOps& ops, const CTempFile& temp, std::string_view bytes,
                       const std::optional<CKeptMode>& kept, const SaveFailure& failure,
                       const CReplaceChecks& checks = {});

// The save itself, as each system makes it: made only while the file is as
// `expected` says when there is one; `written` is told what the new file is.
Status SaveChecked(const std::string& path, std::string_view bytes, IFileOps& ops,
                   const CDiskState* expected, CDiskState* written);

}  // namespace gestalia
