#!/bin/bash
# The real program on a virtual display: its window shows the empty board
# with the face colour beside it, and "終了(&X)" from the menu ends it with
# status 0.
set -euo pipefail
program=$1
probe=$2
. "$(dirname "$0")/x_session.sh"

StartXServer
"$program" >"$work_dir/program.log" 2>&1 &
program_pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quadriflank$' |
  head -n1) || Fail "no window named Quadriflank appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"

# The first paint may still be on its way: look again until it is there.
client_top=""
for _ in $(seq 50); do
  if output=$("$probe" empty-board "$X" "$Y" "$WIDTH" "$HEIGHT" \
      2>"$work_dir/probe.log"); then
    client_top=${output#client_top=}
    break
  fi
  sleep 0.2
done
[ -n "$client_top" ] || Fail "the window does not show the empty board"

# Open "ゲーム(&G)" on the menu bar, then choose "終了(&X)" by its access key
# once the menu is showing.
windows_before=$(xdotool search --onlyvisible --pid "$program_pid" | wc -l)
xdotool mousemove "$((X + 30))" "$((Y + client_top / 2))" click 1
for _ in $(seq 50); do
  windows_now=$(xdotool search --onlyvisible --pid "$program_pid" | wc -l)
  [ "$windows_now" -gt "$windows_before" ] && break
  sleep 0.1
done
[ "$windows_now" -gt "$windows_before" ] || Fail "the game menu did not open"
xdotool key x

WaitForExit
[ "$program_status" -eq 0 ] ||
  Fail "quitting from the menu gave status $program_status"
echo "window_and_quit: board shown, quit with status 0"
