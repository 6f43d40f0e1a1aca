#!/usr/bin/env bash
# Runs the agenda fuzzer for a given time on a copy of the stored inputs and
# prints how many inputs it tried and how fast.
#
#   tools/fuzz.sh SECONDS [FUZZER]
#
# FUZZER defaults to build-test/fuzz/agenda_fuzz (made by scripts/test.sh, or by
# any build with -DGESTALIA_FUZZ=ON). Inputs that crash are copied into
# tests/data/fuzz-crashes/ (set FUZZ_CRASH_DIR to keep them elsewhere, or to an
# empty value to keep none). Extra libFuzzer flags can come in FUZZ_FLAGS.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:?usage: tools/fuzz.sh SECONDS [FUZZER]}"
fuzzer="${2:-$here/build-test/fuzz/agenda_fuzz}"
crash_dir="${FUZZ_CRASH_DIR-$here/tests/data/fuzz-crashes}"

if [ ! -x "$fuzzer" ]; then
  echo "fuzz.sh: no fuzzer at $fuzzer (build with -DGESTALIA_FUZZ=ON)" >&2
  exit 2
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/gestalia-fuzz-XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/artifacts"
cp "$here/tests/data/fuzz-corpus/"* "$work/corpus/"

# The memory limit is for the reader's own allocations: keep AddressSanitizer's
# quarantine of freed blocks small so that it does not count against them.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=4"

set +e
# shellcheck disable=SC2086
"$fuzzer" -max_total_time="$seconds" -rss_limit_mb=64 -timeout=1 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" ${FUZZ_FLAGS:-} "$work/corpus" >"$work/log" 2>&1
status=$?
set -e

runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n1)"
rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log" | tail -n1)"
rss="$(sed -n 's/^stat::peak_rss_mb: *//p' "$work/log" | tail -n1)"
echo "executions: ${runs:-unknown}"
echo "exec/s: ${rate:-unknown}"
echo "seconds: $seconds"
echo "peak RSS: ${rss:-unknown} MB"
echo "corpus: $(ls "$work/corpus" | wc -l) inputs at the end"

shopt -s nullglob
found=("$work"/artifacts/*)
if [ "$status" -ne 0 ] || [ "${#found[@]}" -gt 0 ]; then
  echo "fuzz.sh: the fuzzer failed (status $status); last lines of its log:" >&2
  tail -n 40 "$work/log" >&2
  for f in "${found[@]}"; do
    echo "input $(basename "$f") ($(stat -c %s "$f") bytes):" >&2
    od -A d -t x1 "$f" | head -n 20 >&2
    if [ -n "$crash_dir" ]; then
      cp "$f" "$crash_dir/"
      echo "  kept as $crash_dir/$(basename "$f")" >&2
    fi
  done
  exit 1
fi
echo "no finding"
