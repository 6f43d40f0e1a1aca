#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test; then cross-builds for
# Windows and runs the Windows tests under Wine (scripts/build-windows.sh),
# gestalia.exe's window on Xvfb and the installer in a fresh prefix included;
# then builds the Debian package and tries it: installed, started, purged
# (tests/package).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${GESTALIA_TEST_BUILD_DIR:-$here/build-test}"
bash "$here/scripts/install-deps.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGESTALIA_SANITIZE=ON \
      -DGESTALIA_FUZZ=ON >/dev/null
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd "$build" && ctest --output-on-failure --timeout 600 -j2)
windows="${GESTALIA_WINDOWS_BUILD_DIR:-$here/build-windows}"
GESTALIA_WINDOWS_BUILD_DIR="$windows" bash "$here/scripts/build-windows.sh"
(cd "$windows" && ctest --output-on-failure --timeout 600 -j2)
bash "$here/tests/windows/tool_under_wine.sh" "$build/tools/gestalia-tool" \
     "$windows/gestalia-tool.exe" "$windows/wineprefix"
bash "$here/tests/windows/window_under_wine.sh" "$build/tools/gestalia-tool" \
     "$windows/gestalia.exe" "$windows/wineprefix"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows/CMakeCache.txt")"
bash "$here/tests/windows/installer_under_wine.sh" "$windows/gestalia-$version-setup.exe" \
     "$windows/installer-prefix"
bash "$here/tests/package/check_package.sh"
