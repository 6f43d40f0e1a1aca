#!/usr/bin/env bash
# The AT-SPI test of the real program on a display (Xvfb) and a session bus
# (dbus-run-session) of its own; the bus starts at-spi2-core's accessibility
# bus and registry when asked.
#   screen_reader_test.sh PROGRAM
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
program="$(realpath "$1")"
export LC_ALL=C.UTF-8 NO_AT_BRIDGE=0
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- /usr/bin/python3 "$here/screen_reader_test.py" "$program"
