#pragma once
// What the shared test suites take from POSIX and mingw-w64's C library does
// not have, for their Windows build, which includes this header first.

#include <direct.h>

#include <cerrno>
#include <cstring>
#include <random>

// Makes a fresh folder from a pattern ending in XXXXXX, as POSIX does.
inline char* mkdtemp(char* pattern) {
    const std::size_t length = std::strlen(pattern);
    if (length < 6 || std::strcmp(pattern + length - 6, "XXXXXX") != 0) {
        errno = EINVAL;
        return nullptr;
    }
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (std::size_t i = length - 6; i < length; ++i) {
            pattern[i] = kLetters[random() % (sizeof kLetters - 1)];
        }
        if (::_mkdir(pattern) == 0) {
            return pattern;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

// Windows has no named pipes in the file system; the tests that make one are
// left out of the Windows runs (tests/CMakeLists.txt).
inline int mkfifo(const char* /*path*/, int /*mode*/) {
    errno = ENOSYS;
    return -1;
}
