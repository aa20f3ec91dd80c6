#!/bin/bash
# Close requests as a window manager sends them for the close box: the order
# window's closes it and starts no game; the main window's ends the program
# with status 0 at once, even while the order window blocks it.
set -euo pipefail
program=$1
probe=$2
. "$(dirname "$0")/x_session.sh"

StartXServer
StartProgram "$program" "$probe"

order_window=$(OpenOrderWindow) || Fail "the order window did not open"
"$probe" close "$order_window"
WaitForNoWindow "$order_window_name"
kill -0 "$program_pid" 2>/dev/null || Fail "closing the order window ended the program"
"$probe" empty-board "$X" "$Y" "$WIDTH" "$HEIGHT" >/dev/null \
  2>"$work_dir/probe.log" || Fail "a game started although the order window was closed"

OpenOrderWindow >/dev/null || Fail "the order window did not open again"
"$probe" close "$main_window"

WaitForExit
[ "$program_status" -eq 0 ] ||
  Fail "closing the main window gave status $program_status"
echo "close_requests: order window closed without a game, main window closed with status 0"
