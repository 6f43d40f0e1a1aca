#!/usr/bin/env bash
# Starts the real program, on Qt's offscreen platform, with command-line
# arguments that do not name a readable agenda, and checks that it does not
# crash: it may end by itself or wait (behind its message box) until it is sent
# SIGTERM after a few seconds; ending by any other signal, or a sanitizer
# report on stderr, is a failure.
#
#   bad_args_smoke.sh GESTALIA_BINARY
set -uo pipefail
bin="${1:?usage: bad_args_smoke.sh GESTALIA_BINARY}"
wait_seconds="${GESTALIA_SMOKE_SECONDS:-3}"
export QT_QPA_PLATFORM=offscreen

work="$(mktemp -d "${TMPDIR:-/tmp}/gestalia-args-XXXXXX")"
cleanup() {
  chmod -R u+rwx "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# A home of its own: the program remembers agendas in its configuration folder.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 0700 "$XDG_RUNTIME_DIR"

failures=0
runs=0

# run NAME ARG...: starts the program with the arguments, then judges how it ended.
run() {
  local name="$1"
  shift
  local err="$work/stderr-$runs"
  runs=$((runs + 1))
  timeout -s TERM -k 2 "$wait_seconds" "$bin" "$@" >/dev/null 2>"$err" </dev/null
  local status=$?
  local verdict="ok"
  case "$status" in
    0) ;;                      # ended by itself
    124) ;;                    # still waiting for the user: ended by our SIGTERM
    137) verdict="did not end on SIGTERM" ;;
    *)
      if [ "$status" -gt 128 ]; then
        verdict="killed by signal $((status - 128))"
      else
        verdict="exit status $status"
      fi
      ;;
  esac
  if grep -qE 'AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|runtime error:' "$err"; then
    verdict="sanitizer report"
  fi
  if [ "$verdict" = "ok" ]; then
    echo "ok   $name (status $status)"
  else
    echo "FAIL $name: $verdict" >&2
    head -n 30 "$err" >&2
    failures=$((failures + 1))
  fi
}

# The longest single argument Linux passes (MAX_ARG_STRLEN is 128 KiB with the
# NUL), then a megabyte of arguments of which the last is taken as the path.
long_arg="$(head -c 131071 /dev/zero | tr '\0' 'a')"
run "argument of 128 KiB" "$long_arg"
run "1 MiB of arguments" "$long_arg" "$long_arg" "$long_arg" "$long_arg" "$long_arg" "$long_arg" \
  "$long_arg" "${long_arg:0:131000}/agenda.gst"
run "path of a folder" "$work"
run "missing file" "$work/no-such-agenda.gst"
run "missing folder" "$work/no/such/folder/agenda.gst"

# A file that cannot be read. Permission bits stop everyone but root; root is
# refused by a write-only kernel setting, when there is one.
unreadable="$work/unreadable.gst"
printf 'x' >"$unreadable"
chmod 000 "$unreadable"
if head -c1 "$unreadable" >/dev/null 2>&1; then
  unreadable=""
  for candidate in /proc/sys/vm/compact_memory /proc/sysrq-trigger; do
    if [ -e "$candidate" ] && ! head -c1 "$candidate" >/dev/null 2>&1; then
      unreadable="$candidate"
      break
    fi
  done
fi
if [ -n "$unreadable" ]; then
  run "file without read permission ($unreadable)" "$unreadable"
else
  echo "skip file without read permission: every file here is readable"
fi

# A named pipe: opening it for reading waits for a writer that never comes.
mkfifo "$work/pipe.gst"
run "named pipe" "$work/pipe.gst"

# Bytes that are not UTF-8, in a missing path and in the name of a real agenda.
bad_name="$work/$(printf 'agenda-\xff\xfe-\xc3(.gst')"
run "path that is not UTF-8 (missing)" "$bad_name"
printf '\x00\x00\x00\x00\x80\xa6\xe6\x40\x00\x00\x00\x00\x00\x00\x00\x00' >"$bad_name"
run "path that is not UTF-8 (an empty agenda)" "$bad_name"
printf 'x' >"$work/short.gst"
run "damaged agenda" "$work/short.gst"
run "lone dash" "-"

echo "$runs runs, $failures failures"
[ "$failures" -eq 0 ]
