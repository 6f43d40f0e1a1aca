#!/bin/bash
# Runs startup_bench "main" and "empty" in turn, RUNS times each (15 by
# default), and prints the median of each figure and the main/empty ratios.
# Given more than one startup_bench (builds to compare), each round runs
# every one of them, so that they share the machine's moods, and a table is
# printed for each, with the medians of each step alone below it. The
# settings go to a folder of their own, so her remembered agendas are neither
# read nor changed.
#
#   bench/startup_compare.sh AGENDA.gst BUILD/bench/startup_bench [OTHER/startup_bench ...]
#   xvfb-run -a bench/startup_compare.sh ...                  (on X)
#   RUNS=31 QT_QPA_PLATFORM=offscreen bench/startup_compare.sh ...
# AGENDA may be "" for the window without an agenda.
set -eu
agenda=$1
shift
runs=${RUNS:-15}
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME=$config
out=$(for ((i = 0; i < runs; ++i)); do
    for bench in "$@"; do
        echo "bench=$bench $("$bench" main ${agenda:+"$agenda"} 2>/dev/null)"
        echo "bench=$bench $("$bench" empty 2>/dev/null)"
    done
done)
# Each line: bench=B mode=M app_ms=.. built_ms=.. shown_ms=.. painted_ms=..
# main_to_frame_ms=.. process_to_frame_ms=.. peak_rss_mib=..
for bench in "$@"; do
    echo "$bench"
    grep -F "bench=$bench " <<<"$out" | awk -v runs="$runs" '
    function median(mode, key,    n, i, j, t, a) {
        n = 0
        for (i = 1; i <= count[mode]; ++i) a[++n] = v[mode, key, i]
        for (i = 2; i <= n; ++i) for (j = i; j > 1 && a[j - 1] > a[j]; --j) {
            t = a[j]; a[j] = a[j - 1]; a[j - 1] = t
        }
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    {
        split($2, m, "="); mode = m[2]; ++count[mode]
        for (f = 3; f <= NF; ++f) { split($f, kv, "="); v[mode, kv[1], count[mode]] = kv[2] }
    }
    END {
        printf "  median of %d runs each   %10s %10s %7s\n", runs, "main", "empty", "ratio"
        split("process_to_frame_ms main_to_frame_ms peak_rss_mib", keys, " ")
        for (k = 1; k <= 3; ++k) {
            a = median("main", keys[k]); b = median("empty", keys[k])
            printf "  %-24s %10.1f %10.1f %7.2f\n", keys[k], a, b, a / b
        }
        # Where the time from main() went: the time of each step alone (for
        # a bench that notes its steps).
        if (!(("main", "app_ms", 1) in v)) exit
        printf "  steps from main(), ms    %10s %10s %7s\n", "main", "empty", "more"
        split("app built shown painted main_to_frame", steps, " ")
        pa = 0; pb = 0
        for (k = 1; k <= 5; ++k) {
            a = median("main", steps[k] "_ms"); b = median("empty", steps[k] "_ms")
            printf "  %-24s %10.1f %10.1f %7.1f\n", steps[k] == "main_to_frame" ? "frame painted" : steps[k], a - pa, b - pb, (a - pa) - (b - pb)
            pa = a; pb = b
        }
    }'
done
