#!/usr/bin/env bash
# Installs the Debian 12 packages Gestalia needs to build, test and run.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev qt6-translations-l10n
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  clang-14 libclang-rt-14-dev clang-format
  xvfb xauth xdotool imagemagick fonts-dejavu-core fonts-liberation2
  dpkg-dev fakeroot file lintian appstream desktop-file-utils shared-mime-info xdg-utils
  libfile-mimeinfo-perl man-db
  hunspell hunspell-es
)

# The screen reader test (tests/platform/screen_reader_test.sh): the
# accessibility bus and registry, a session bus of its own, and the client
# library Orca uses.
packages+=(
  at-spi2-core dbus dbus-daemon python3 python3-gi python3-pyatspi
)

# The report and the calendar export read by programs that are not Gestalia's
# (tests/report): Chromium prints the report, poppler-utils reads the PDF back,
# python3-icalendar parses the calendar.
packages+=(
  chromium poppler-utils python3-icalendar
)

# The Windows build (scripts/build-windows.sh): the mingw-w64 cross compilers,
# Wine to run and test what they build (with its fonts: Tahoma, Marlett for the
# caption buttons), zip for the user's archive, NSIS for the installer.
packages+=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 fonts-wine zip nsis
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
