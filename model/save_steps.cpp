#include "model/save_steps.h"

#include <fcntl.h>
#include <cerrno>
#include <random>

#include "model/unique_fd.h"

namespace gestalia {

namespace {
constexpr int kTempAttempts = 100;
constexpr int kNewFileMode = 0666;  // narrowed by the umask where there is one
}  // namespace

namespace {

// Whether the file at `target` is still the one `expected` describes; a file
// that cannot be looked at is not.
Status StillExpected(const std::string& path, const std::string& target,
                     const CDiskState& expected) {
    const Result<CDiskState> now = DiskStateOf(target);
    if (!now || now.value() != expected) {
        return ChangedOnDisk(path);
    }
    return {};
}

}  // namespace

Result<CReplaceChecks> ExpectingChecks(const std::string& path, const std::string& target,
                                       const CDiskState* expected, CDiskState* written) {
    CReplaceChecks checks;
    checks.written = written;
    if (expected != nullptr) {
        if (const Status still = StillExpected(path, target, *expected); !still) {
            return still.error();
        }
        checks.beforeRename = [path, target, state = *expected] {
            return StillExpected(path, target, state);
        };
    }
    return checks;
}

std::string TempPrefix(const std::string& baseName) {
    return "." + baseName + ".tmp-";
}

int OpenTempBeside(IFileOps& ops, const std::string& folderPrefix, const std::string& baseName,
                   unsigned long pid, int flags, int& fd, std::string& path) {
    std::random_device random;
    int err = 0;
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        path = folderPrefix + TempPrefix(baseName) + std::to_string(pid) + "-" +
               std::to_string(random());
        err = ops.Open(path, O_WRONLY | O_CREAT | O_EXCL | flags, kNewFileMode, fd);
        if (err != EEXIST) {
            break;
        }
    }
    return err;
}

CError ChangedOnDisk(const std::string& path) {
    return CError{ErrorKind::changedOnDisk,
                  path + ": otro programa ha cambiado el fichero mientras se guardaba",
                  std::nullopt};
}

Status WriteAndReplace(IFileOps& ops, const CTempFile& temp, std::string_view bytes,
                       const std::optional<CKeptMode>& kept, const SaveFailure& failure,
                       const CReplaceChecks& checks) {
    UniqueFd fd(temp.fd, &ops);
    const auto abandon = [&](const std::string& what, int e) {
        (void)fd.Close();
        (void)ops.Unlink(temp.strPath);
        return failure(what, e);
    };

    int err = 0;
    if (kept) {
        err = ops.Chmod(fd.Get(), kept->mode);
        if (err != 0) {
            return abandon(kept->strFailure, err);
        }
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t written = 0;
        err = ops.Write(fd.Get(), bytes.data() + done, bytes.size() - done, written);
        if (err == 0 && written == 0) {
            err = EIO;  // no progress: never loop on it
        }
        if (err != 0) {
            return abandon("no se pueden escribir los datos", err);
        }
        done += written;
    }
    err = ops.Sync(fd.Get());
    if (err != 0) {
        return abandon("no se pueden llevar los datos al disco", err);
    }
    if (checks.written != nullptr) {
        err = ops.Stat(fd.Get(), *checks.written);
        if (err != 0) {
            return abandon("no se puede saber qué fichero se ha escrito", err);
        }
    }
    err = fd.Close();
    if (err != 0) {
        return abandon("no se puede cerrar el fichero temporal", err);
    }
    if (checks.beforeRename) {
        const Status still = checks.beforeRename();
        if (!still) {
            (void)ops.Unlink(temp.strPath);
            return still;
        }
    }
    err = ops.Rename(temp.strPath, temp.strTarget);
    if (err != 0) {
        return abandon("no se puede poner el fichero nuevo en lugar del anterior", err);
    }
    return {};
}

Status SaveFileAtomically(const std::string& path, std::string_view bytes, IFileOps& ops) {
    return SaveChecked(path, bytes, ops, nullptr, nullptr);
}

Result<CDiskState> SaveFileIfUnchanged(const std::string& path, std::string_view bytes,
                                       const CDiskState& expected) {
    return SaveFileIfUnchanged(path, bytes, expected, SystemFileOps());
}

Result<CDiskState> SaveFileIfUnchanged(const std::string& path, std::string_view bytes,
                                       const CDiskState& expected, IFileOps& ops) {
    CDiskState written;
    const Status saved = SaveChecked(path, bytes, ops, &expected, &written);
    if (!saved) {
        return saved.error();
    }
    return written;
}

}  // namespace gestalia
