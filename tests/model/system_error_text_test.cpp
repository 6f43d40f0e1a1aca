#include "model/system_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>

namespace gestalia {
namespace {

struct ErrnoCase {
    int err;
    const char* text;
};

class SystemErrorTextTest : public ::testing::TestWithParam<ErrnoCase> {};

// Spanish whatever the process locale says.
TEST_P(SystemErrorTextTest, NamesTheCommonErrorsInSpanish) {
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(SystemErrorText(GetParam().err), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, SystemErrorTextTest,
    ::testing::Values(ErrnoCase{ENOENT, "no existe el fichero o alguna de sus carpetas"},
                      ErrnoCase{EACCES, "no tiene permiso"}, ErrnoCase{EISDIR, "es una carpeta"},
                      ErrnoCase{ENOSPC, "el disco está lleno"},
                      ErrnoCase{EROFS, "el sistema de ficheros es de solo lectura"},
                      ErrnoCase{ENAMETOOLONG, "el nombre es demasiado largo"},
                      ErrnoCase{12345, "error del sistema número 12345"}));

}  // namespace
}  // namespace gestalia
