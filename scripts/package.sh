#!/usr/bin/env bash
# Builds the Debian package: a Release build in its own folder (no tests, no
# sanitizers), then CPack. Prints the path of gestalia_<version>_<arch>.deb,
# which it also copies to the top of the clone.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${GESTALIA_PACKAGE_BUILD_DIR:-$here/build-package}"
bash "$here/scripts/install-deps.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGESTALIA_SANITIZE=OFF \
      -DGESTALIA_FUZZ=OFF -DGESTALIA_BUILD_TESTS=OFF -DGESTALIA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build"
rm -f "$build"/gestalia_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/gestalia_*.deb)"
cp "$deb" "$here/"
echo "$here/$(basename "$deb")"
