#!/usr/bin/env bash
# gestalia-tool.exe under Wine says what the Linux gestalia-tool says, byte for
# byte: on the sample agenda, through an accented and long path, and on a
# missing file (the Windows error in the same Spanish).
#   tool_under_wine.sh LINUX_TOOL WINDOWS_TOOL WINEPREFIX
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
linux_tool="$(realpath "$1")" windows_tool="$(realpath "$2")" prefix="$(realpath -m "$3")"
wine_run() { "$here/cmake/windows/run-wine.sh" "$prefix" "$windows_tool" "$@"; }
export LC_ALL=C.UTF-8  # Wine hands the arguments over in the locale's encoding

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
long="$work/Embarazo de María/$(printf 'c%.0s' {1..120})/$(printf 'ñ%.0s' {1..100})"
mkdir -p "$long"
sample="$here/tests/data/sample.gst"
accented="$long/agenda de la señora Ibáñez.gst"
cp "$sample" "$accented"

failed=0
same() {  # same WHAT COMMAND...: stdout, stderr and status of both tools alike
    local what="$1"
    shift
    local lo le ls wo we ws
    lo="$("$linux_tool" "$@" 2>"$work/le")" && ls=0 || ls=$?
    wo="$(wine_run "$@" 2>"$work/we")" && ws=0 || ws=$?
    if [ "$lo" != "$wo" ] || ! cmp -s "$work/le" "$work/we" || [ "$ls" != "$ws" ]; then
        echo "FAIL: $what: the Windows tool differs (status $ws, Linux $ls)"
        diff <(echo "$lo"; cat "$work/le") <(echo "$wo"; cat "$work/we") | head -20 || true
        failed=1
    else
        echo "ok: $what"
    fi
}

[ "$(wine_run check "$sample")" = "OK" ] && echo "ok: check says OK" ||
    { echo "FAIL: check does not say OK"; failed=1; }
same "dump" dump "$sample"
same "export-csv" export-csv "$sample"
same "export-ics" export-ics "$sample"
same "informe" informe "$sample"
same "dump through a long accented path (${#accented} bytes)" dump "$accented"
same "a missing file" check "$work/nada.gst"
same "timeline" timeline 2027-01-01 2027-02-15
exit "$failed"
