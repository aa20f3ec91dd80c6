#!/bin/bash
# The real program on a virtual display: its window shows the empty board
# with the face colour beside it; a game starts through the menu and the
# order window, the computer seats before the human's move, and a press on a
# cell legal for the human puts the human's disc there; "終了(&X)" from the
# menu then ends it with status 0.
set -euo pipefail
program=$1
probe=$2
. "$(dirname "$0")/x_session.sh"

# Waits (bounded) until the human is to move: one status line shows, the
# seat has legal cells and nothing changes for two seconds; a computer seat
# changes the board every 300 ms while its chosen cell blinks.
WaitForHumanTurn() {
  local seen="" since=$SECONDS
  for _ in $(seq 300); do
    ReadGame
    if [ "$seat" -eq 0 ] || [ -z "$legal" ] || [ "$board $lines" != "$seen" ]; then
      seen="$board $lines"
      since=$SECONDS
    elif [ $((SECONDS - since)) -ge 2 ]; then
      return 0
    fi
    sleep 0.1
  done
  Fail "the human's turn did not come; last seen: $board $lines"
}

StartXServer
StartProgram "$program" "$probe"

order_window=$(OpenOrderWindow) || Fail "the order window did not open"
PressOrderButton "$order_window" # "止める"
sleep 0.2
PressOrderButton "$order_window" # "対局開始"
WaitForNoWindow "$order_window_name"

WaitForHumanTurn
discs=$(printf '%s' "${board//./}" | wc -c)
[ "$discs" -eq $((8 + seat - 1)) ] ||
  Fail "the human's turn in seat $seat with $discs discs: $board"
cell=${legal%% *}
column=${cell%,*}
row=${cell#*,}
ClickCell "$column" "$row"
# Only the human's move can show the human's colour on a cell that was
# empty; the disc stays at least through the pause after the move.
placed=""
for _ in $(seq 100); do
  ReadGame
  [ "${board:$((row * 8 + column)):1}" = "$seat" ] && { placed=1; break; }
  sleep 0.05
done
[ -n "$placed" ] || Fail "no disc of seat $seat at ($column, $row): $board"

# "終了(&X)" by its access key.
for _ in 1 2 3; do
  ChooseFromGameMenu x
  ProgramEnded 50 && break
done
WaitForExit
[ "$program_status" -eq 0 ] ||
  Fail "quitting from the menu gave status $program_status"
echo "window_and_quit: board shown; human in seat $seat placed ($column, $row); quit with status 0"
