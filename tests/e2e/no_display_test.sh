#!/bin/bash
# Without a display the program says so in one line on stderr and fails,
# without a core dump: with no DISPLAY at all, and with one that cannot be
# opened.
set -uo pipefail
program=$(realpath "$1")
work_dir=$(mktemp -d)
trap 'rm -rf "$work_dir"' EXIT
failures=0

Check() {
  local name=$1
  shift
  local status=0
  (cd "$work_dir" && env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" \
    "$program" >"$work_dir/out" 2>"$work_dir/err") || status=$?
  local lines
  lines=$(wc -l <"$work_dir/err")
  if [ "$status" -eq 0 ] || [ "$status" -ge 128 ]; then
    echo "FAIL $name: exit status $status" >&2
    failures=$((failures + 1))
  elif [ "$lines" -ne 1 ]; then
    echo "FAIL $name: $lines lines on stderr:" >&2
    cat "$work_dir/err" >&2
    failures=$((failures + 1))
  elif ! grep -q "display" "$work_dir/err"; then
    echo "FAIL $name: the message does not mention the display:" >&2
    cat "$work_dir/err" >&2
    failures=$((failures + 1))
  elif [ -s "$work_dir/out" ]; then
    echo "FAIL $name: output on stdout" >&2
    failures=$((failures + 1))
  else
    echo "ok $name: status $status: $(cat "$work_dir/err")"
  fi
  rm -f "$work_dir"/core*
}

Check "no DISPLAY" -u DISPLAY
Check "unreachable DISPLAY" DISPLAY=:4095
exit "$failures"
