#pragma once
// The operating system's error numbers in Spanish, whatever language the system
// speaks: the user reads Spanish, and strerror follows the process locale.

#include <cerrno>
#include <string>

// Windows' C library has no number for an exhausted disk quota; the Windows
// file layer gives this one (Winsock's) for it.
#ifndef EDQUOT
#define EDQUOT 10069
#endif

namespace gestalia {

// "no existe" for ENOENT, "no tiene permiso" for EACCES ...; an error this
// table does not know is named by its number.
std::string SystemErrorText(int err);

}  // namespace gestalia
