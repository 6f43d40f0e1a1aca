#include "model/system_error_text.h"

#include <array>
#include <cerrno>
#include <string_view>

namespace gestalia {

namespace {

struct CErrnoText {
    int err;
    std::string_view text;
};

constexpr std::array<CErrnoText, 18> kErrnoTexts = {{
    {ENOENT, "no existe el fichero o alguna de sus carpetas"},
    {EACCES, "no tiene permiso"},
    {EPERM, "la operación no está permitida"},
    {EISDIR, "es una carpeta"},
    {ENOTDIR, "una parte de la ruta no es una carpeta"},
    {ENOSPC, "el disco está lleno"},
    {EDQUOT, "se ha agotado su cuota de disco"},
    {EROFS, "el sistema de ficheros es de solo lectura"},
    {ENAMETOOLONG, "el nombre es demasiado largo"},
    {ELOOP, "hay demasiados enlaces simbólicos encadenados"},
    {EIO, "error de entrada o salida del disco"},
    {EBUSY, "el fichero está ocupado"},
    {ETXTBSY, "el fichero está ocupado"},
    {EEXIST, "ya existe"},
    {EXDEV, "está en otro sistema de ficheros"},
    {EMFILE, "hay demasiados ficheros abiertos"},
    {ENFILE, "hay demasiados ficheros abiertos en el sistema"},
    {EINVAL, "el argumento no es válido"},
}};

}  // namespace

std::string SystemErrorText(int err) {
    for (const CErrnoText& entry : kErrnoTexts) {
        if (entry.err == err) {
            return std::string(entry.text);
        }
    }
    return "error del sistema número " + std::to_string(err);
}

}  // namespace gestalia
