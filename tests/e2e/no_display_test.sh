#!/bin/bash
# Without a display the program says so in one line on stderr, nothing on
# stdout, and fails without a core dump: with no DISPLAY at all, and with
# one that cannot be opened.
set -u
program=$(realpath "$1")
work_dir=$(mktemp -d)
trap 'rm -rf "$work_dir"' EXIT
failures=0

Check() {
  local name=$1 status=0
  shift
  (cd "$work_dir" && env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" \
    "$program" >"$work_dir/out" 2>"$work_dir/err") || status=$?
  if [ "$status" -eq 0 ] || [ "$status" -ge 128 ] || [ -s "$work_dir/out" ] ||
    [ "$(wc -l <"$work_dir/err")" -ne 1 ] || ! grep -q display "$work_dir/err"; then
    echo "FAIL $name: status $status, stderr:" >&2
    cat "$work_dir/err" >&2
    failures=$((failures + 1))
  else
    echo "ok $name: status $status: $(cat "$work_dir/err")"
  fi
  rm -f "$work_dir"/core*
}

Check "no DISPLAY" -u DISPLAY
Check "unreachable DISPLAY" DISPLAY=:4095
exit "$failures"
