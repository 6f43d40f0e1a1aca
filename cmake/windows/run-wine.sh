#!/usr/bin/env bash
# run-wine.sh PREFIX PROGRAM [ARG...]: runs a Windows program under Wine in the
# prefix PREFIX (made on first use), quietly, passing its exit status on.
set -euo pipefail
prefix="$1"
shift
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$(dirname "$prefix")"
  # Several tests may start at once: one of them makes the prefix.
  (
    flock 9
    if [ ! -f "$prefix/system.reg" ]; then
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w || true
      # Wine's own fonts (Tahoma, Marlett for the caption buttons): Debian's
      # Wine does not find them where fonts-wine puts them.
      if [ -d /usr/share/wine/fonts ]; then
        ln -sf /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" || true
      fi
    fi
  ) 9>"$prefix.lock"
fi
exec wine "$@"
