#!/usr/bin/env bash
# Installs what is missing, builds Gestalia and starts it. Arguments go to the
# program (an agenda file to open).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DGESTALIA_BUILD_TESTS=OFF -DGESTALIA_BUILD_BENCH=OFF >/dev/null
cmake --build "$here/build" --target gestalia
exec "$here/build/app/gestalia" "$@"
