#!/usr/bin/env bash
# Runs the libFuzzer build of the agenda fuzzer once over every stored input
# (-runs=0: read the corpus, mutate nothing). The folders are copied first, so
# the fuzzer cannot add to them.
#
#   fuzz_replay.sh FUZZER DIR...
set -euo pipefail
fuzzer="$1"
shift
work="$(mktemp -d "${TMPDIR:-/tmp}/gestalia-replay-XXXXXX")"
trap 'rm -rf "$work"' EXIT
dirs=()
for d in "$@"; do
  copy="$work/$(basename "$d")"
  mkdir "$copy"
  cp "$d"/* "$copy"/ 2>/dev/null || true
  dirs+=("$copy")
done
"$fuzzer" -runs=0 -rss_limit_mb=64 -timeout=1 -artifact_prefix="$work/" "${dirs[@]}" 2>&1 | tail -n 5
exit "${PIPESTATUS[0]}"
