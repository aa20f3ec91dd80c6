#!/bin/bash
# The real program on a virtual display: its window shows the empty board
# with the face colour beside it, and "終了(&X)" from the menu ends it with
# status 0.
set -euo pipefail
program=$1
probe=$2
. "$(dirname "$0")/x_session.sh"

StartXServer
StartProgram "$program" "$probe"

# "終了(&X)" by its access key.
for _ in 1 2 3; do
  ChooseFromGameMenu x
  ProgramEnded 50 && break
done
WaitForExit
[ "$program_status" -eq 0 ] ||
  Fail "quitting from the menu gave status $program_status"
echo "window_and_quit: board shown, quit with status 0"
