# Shared by the end-to-end tests: a private virtual X display on a free
# display number, ended again when the test ends. Source it, then call
# StartXServer; DISPLAY is set afterwards.

work_dir=$(mktemp -d)
xvfb_pid=""
program_pid=""

EndSession() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work_dir"
}
trap EndSession EXIT

Fail() {
  echo "FAIL: $*" >&2
  for log in "$work_dir"/*.log; do
    [ -s "$log" ] && { echo "--- $log" >&2; cat "$log" >&2; }
  done
  exit 1
}

# Xvfb picks the display number itself and writes it to fd 3, so parallel
# tests never race for one.
StartXServer() {
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp \
    3>"$work_dir/display" 2>"$work_dir/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work_dir/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || Fail "Xvfb did not start"
    sleep 0.1
  done
  [ -s "$work_dir/display" ] || Fail "Xvfb gave no display number"
  export DISPLAY=":$(head -n1 "$work_dir/display")"
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
  export XDG_RUNTIME_DIR="$work_dir"
}

# True once the program has ended, waiting up to $1 tenths of a second.
ProgramEnded() {
  for _ in $(seq "$1"); do
    kill -0 "$program_pid" 2>/dev/null || return 0
    sleep 0.1
  done
  ! kill -0 "$program_pid" 2>/dev/null
}

# Waits (bounded) until the process has ended; its status is in
# $program_status.
WaitForExit() {
  ProgramEnded 100 || Fail "the program did not end"
  program_status=0
  wait "$program_pid" || program_status=$?
  program_pid=""
}

# Starts the program and waits until its window shows the empty board; sets
# main_window, X, Y, WIDTH, HEIGHT and client_top (the menu bar's height).
StartProgram() {
  local program=$1 probe=$2
  "$program" >"$work_dir/program.log" 2>&1 &
  program_pid=$!
  main_window=$(WaitForWindow '^Quadriflank$') ||
    Fail "no window named Quadriflank appeared"
  eval "$(xdotool getwindowgeometry --shell "$main_window")"
  # The first paint may still be on its way: look again until it is there.
  client_top=""
  local output
  for _ in $(seq 50); do
    if output=$("$probe" empty-board "$X" "$Y" "$WIDTH" "$HEIGHT" \
        2>"$work_dir/probe.log"); then
      client_top=${output#client_top=}
      return 0
    fi
    sleep 0.2
  done
  Fail "the window does not show the empty board"
}

# Prints the id of the first visible window whose name matches, waiting for
# it a bounded time (seconds, 30 unless given).
WaitForWindow() {
  timeout "${2:-30}" xdotool search --sync --onlyvisible --name "$1" | head -n1
}

WaitForNoWindow() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null || return 0
    sleep 0.1
  done
  Fail "window $1 is still there"
}

# Opens "ゲーム(&G)" on the menu bar and waits until its menu shows.
OpenGameMenu() {
  local before now
  before=$(xdotool search --onlyvisible --pid "$program_pid" | wc -l)
  xdotool mousemove "$((X + 30))" "$((Y + client_top / 2))" click 1
  for _ in $(seq 50); do
    now=$(xdotool search --onlyvisible --pid "$program_pid" | wc -l)
    [ "$now" -gt "$before" ] && return 0
    sleep 0.1
  done
  Fail "the game menu did not open"
}

# Opens the game menu and types `keys` into it. A key can get lost while the
# menu is still taking the keyboard, so callers check the effect and call
# again; Escape first closes a menu that such a lost key left open.
ChooseFromGameMenu() {
  xdotool key Escape
  OpenGameMenu
  xdotool key "$@"
}

order_window_name='^打つ順番を決める$'

# "始める" is the menu's first item; prints the order window's id.
OpenOrderWindow() {
  local window
  for _ in 1 2 3; do
    ChooseFromGameMenu Down Return
    window=$(WaitForWindow "$order_window_name" 5) && [ -n "$window" ] &&
      { echo "$window"; return 0; }
  done
  return 1
}

# Clicks the order window's one button ("止める", then "対局開始"), which
# fills the right of the window from 320, 19 on.
PressOrderButton() {
  eval "$(xdotool getwindowgeometry --shell "$1" | sed 's/^/order_/')"
  xdotool mousemove "$((order_X + 380))" "$((order_Y + 70))" click 1
}

# Reads the game off the main window's client area: sets board (64 cells
# as "." or "1".."4", "?" where something covers it, row 0 first), lines
# (the shown status lines, seat 1 first), movers (the seats that can move,
# "?" when unknown), seat (the one seat whose line shows, else 0) and legal
# (that seat's legal cells as "column,row ...").
ReadGame() {
  eval "$("$probe" board "$X" "$((Y + client_top))")"
}

# Presses the middle of board cell ($1, $2).
ClickCell() {
  xdotool mousemove "$((X + $1 * 50 + 25))" "$((Y + client_top + $2 * 50 + 25))" click 1
}
