#!/usr/bin/env bash
# Installs what is missing and cross-builds Gestalia for Windows with Debian's
# mingw-w64, statically linked (it needs nothing but Windows' own libraries):
#   build-windows/gestalia.exe                 the program, with its Win32 windows
#   build-windows/gestalia-tool.exe            the companion command
#   build-windows/gestalia-<version>-setup.exe     the installer (NSIS)
#   build-windows/gestalia-windows-<version>.zip   the same programs, to copy by hand
# and the test programs, which `ctest` in build-windows runs under Wine. The
# 32-bit build (build-windows-i686: both programs, no tests) is compiled as a
# check.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${GESTALIA_WINDOWS_BUILD_DIR:-$here/build-windows}"
bash "$here/scripts/install-deps.sh"

common=(-G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
        -DGESTALIA_BUILD_GUI=ON -DGESTALIA_BUILD_BENCH=OFF -DGESTALIA_FUZZ=OFF)

cmake -S "$here" -B "$out" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/windows/mingw-x86_64.cmake" \
      "${common[@]}" >/dev/null
cmake --build "$out"

cmake -S "$here" -B "$out-i686" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/windows/mingw-i686.cmake" \
      "${common[@]}" -DGESTALIA_BUILD_TESTS=OFF >/dev/null
cmake --build "$out-i686"

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")"
zip_file="$out/gestalia-windows-$version.zip"
rm -f "$zip_file"
zip -qj "$zip_file" "$out/gestalia.exe" "$out/gestalia-tool.exe" "$here/packaging/windows/LEEME.txt"
echo "Windows: $out/gestalia.exe, $out/gestalia-tool.exe, $out/gestalia-$version-setup.exe, $zip_file"
