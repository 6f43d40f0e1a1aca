#!/bin/bash
# Runs startup_bench "main" and "empty" in turn, RUNS times each (15 by
# default), and prints the median of each figure and main/empty ratios.
# The settings go to a folder of their own, so her remembered agendas are
# neither read nor changed.
#
#   bench/startup_compare.sh BUILD/bench/startup_bench [agenda.gst]
#   RUNS=31 QT_QPA_PLATFORM=offscreen bench/startup_compare.sh ...
# Under X: xvfb-run -a bench/startup_compare.sh ...
set -eu
bench=$1
agenda=${2:-}
runs=${RUNS:-15}
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME=$config
out=$(for ((i = 0; i < runs; ++i)); do
    "$bench" main ${agenda:+"$agenda"}
    "$bench" empty
done)
# Each line: mode=M main_to_frame_ms=A process_to_frame_ms=B peak_rss_mib=C
awk -v runs="$runs" '
function median(mode, key,    n, i, j, t, a) {
    n = 0
    for (i = 1; i <= count[mode]; ++i) a[++n] = v[mode, key, i]
    for (i = 2; i <= n; ++i) for (j = i; j > 1 && a[j - 1] > a[j]; --j) {
        t = a[j]; a[j] = a[j - 1]; a[j - 1] = t
    }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
{
    split($1, m, "="); mode = m[2]; ++count[mode]
    for (f = 2; f <= NF; ++f) { split($f, kv, "="); v[mode, kv[1], count[mode]] = kv[2] }
}
END {
    printf "median of %d runs each   %12s %12s %8s\n", runs, "main", "empty", "ratio"
    split("process_to_frame_ms main_to_frame_ms peak_rss_mib", keys, " ")
    for (k = 1; k <= 3; ++k) {
        a = median("main", keys[k]); b = median("empty", keys[k])
        printf "%-24s %12.1f %12.1f %8.2f\n", keys[k], a, b, a / b
    }
}' <<<"$out"
