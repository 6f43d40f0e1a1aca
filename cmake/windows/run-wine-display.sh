#!/usr/bin/env bash
# run-wine-display.sh PREFIX PROGRAM [ARG...]: runs a Windows program that
# makes windows under Wine in the prefix PREFIX, on an Xvfb display of its own,
# passing its exit status on.
#
# Wine shows a prefix's desktop on the display of the program that started
# the prefix's server: one started by a test without a display makes every
# window fail. So the server is stopped before (run such a test alone, CTest's
# RUN_SERIAL) and after, when the display is gone.
set -euo pipefail
prefix="$1"
shift
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
stop_server() {
  if [ -f "$prefix/system.reg" ]; then
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true
  fi
}
stop_server
status=0
xvfb-run -a bash "$here/run-wine.sh" "$prefix" "$@" || status=$?
stop_server
exit "$status"
