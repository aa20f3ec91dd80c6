#!/bin/sh
# The game's command line on a terminal without a display: help, version
# and mistakes are answered without one, and Qt's own options reach Qt.
# Usage: command_line.sh PROGRAM VERSION
set -u
program=$1
version=$2
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
failures=0
err_file=$(mktemp)
trap 'rm -f "$err_file"' EXIT

# check STATUS OUT ERR ARGS...: the exit status, and patterns that standard
# output and standard error must match; with ERR "*", standard error may
# hold anything but a line of the program's own. A game that starts runs
# until it is asked to end (RUNS seconds, 60 unless set), with SIGTERM.
check() {
  want_status=$1 want_out=$2 want_err=$3
  shift 3
  out=$(timeout --preserve-status "${RUNS:-60}" "$program" "$@" 2>"$err_file")
  status=$?
  err=$(cat "$err_file")
  # shellcheck disable=SC2254
  case "$out" in $want_out) ;; *) status="$status, stdout '$out'" ;; esac
  if [ "$want_err" = "*" ]; then
    ! printf '%s\n' "$err" | grep -q '^quadriflank:' ||
      status="$status, stderr '$err'"
  else
    # shellcheck disable=SC2254
    case "$err" in $want_err) ;; *) status="$status, stderr '$err'" ;; esac
  fi
  [ "$status" = "$want_status" ] && return
  echo "FAIL: quadriflank $*: status $status"
  failures=$((failures + 1))
}

help="Usage: quadriflank \[options\]*--numbered-discs*Qt's own options*"
check 0 "$help" "" --help
check 0 "$help" "" -platform offscreen -h
check 0 "quadriflank $version" "" --version
check 2 "" "quadriflank: unknown option '--numbered'" --numbered
check 2 "" "quadriflank: unknown option '-bogus'" -platform offscreen -bogus
check 2 "" "quadriflank: unexpected argument 'board'" --numbered-discs board
check 2 "" "quadriflank: missing value after '-platform'" -platform
check 2 "" "quadriflank: unexpected value after '--numbered-discs'" \
  --numbered-discs=yes
check 1 "" "quadriflank: cannot open a display (no usable window system): *" \
  --numbered-discs
RUNS=3 check 0 "" "*" -platform offscreen -style fusion -reverse --numbered-discs
exit "$failures"
