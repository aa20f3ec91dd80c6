#!/bin/bash
# Monkey test of the real program: seeded random presses on the board and
# beside it, double clicks, keys, menu opens, "始める" during a game (must be
# grey and do nothing), the order window closed or confirmed, pass and
# result boxes answered, across fresh program starts. Each start ends with a
# quit by "終了(&X)" or a close request, at a random moment or as soon as
# the order window, the menu or a box is open. It passes when the program
# never crashes, answers every ping in time, and every quit ends it with
# status 0 in time.
#
# "In time" is one second beyond the longest stretch in which the game
# handles no events by design: two blinks (4 x 300 ms) and the 200 ms pause
# after an opening move. The figures say how many quits took under a second.
#
#   QF_MONKEY_SECONDS  how long to run (default 70); trials grow with it, so
#                      that long runs play games to their end
#   QF_MONKEY_SEED     seed of the choices (default: a new one, printed)
#
# The seed repeats the choices, not the program's own timing (the roulette
# and the computers' pace), so on failure the seed and every action, with
# its time, are printed to follow the run by hand.
set -euo pipefail
program=$1
probe=$2
. "$(dirname "$0")/x_session.sh"
export LC_ALL=C

seconds=${QF_MONKEY_SECONDS:-70}
empty_board=$(printf '.%.0s' $(seq 64))
seed=${QF_MONKEY_SEED:-$((SRANDOM % 1000000))}
RANDOM=$seed
limit_ms=2400
longest_trial_ms=$((seconds > 60 ? seconds * 1000 / 3 : 20000))
log=$work_dir/monkey.log
echo "monkey: seed $seed, $seconds s (QF_MONKEY_SEED=$seed repeats the choices)"
echo "seed $seed, $seconds s" >"$log"

actions=0 games=0 pass_boxes=0 result_boxes=0 pings=0 slowest_ping=0
quits=0 quit_statuses="" slowest_quit=0 quits_within_a_second=0
last_box="" last_dialog="" dialog_presses=0 dialog_closed=0
burst_over=0 game_state="no game"

# Every choice comes from bash's seeded sequence, never from a subshell.
Pick() { pick=$((((RANDOM << 15) | RANDOM) % $1)); }
Now() {
  now_ms=${EPOCHREALTIME/./}
  now_ms=$((now_ms / 1000))
}
Act() {
  actions=$((actions + 1))
  Now
  echo "$((now_ms - run_start)) ms #$actions $*" >>"$log"
}

# Sets dialog, box (with box_name) and popup to the program's visible
# windows of each kind; empty when there is none.
ScanWindows() {
  dialog="" box="" box_name="" popup=""
  local window name
  for window in $(xdotool search --onlyvisible --pid "$program_pid" || true); do
    [ "$window" = "$main_window" ] && continue
    name=$(xdotool getwindowname "$window" 2>/dev/null) || continue
    case $name in
      打つ順番を決める) dialog=$window ;;
      リバーシ | 結果) box=$window box_name=$name ;;
      *) popup=$window ;;
    esac
  done
  if [ -n "$popup" ]; then
    eval "$(xdotool getwindowgeometry --shell "$popup" | sed 's/^/popup_/')"
  fi
}

# ReadGame, then game_state: "no game" (empty board), "game over" (no seat
# can move and no status line shows), "game running", or "unknown" while
# something still covers the board.
ReadGameState() {
  ReadGame
  if [ "$movers" = "?" ]; then
    game_state=unknown
  elif [ "$board" = "$empty_board" ]; then
    game_state="no game"
  elif [ -z "$movers" ] && [ "$lines" = 0000 ]; then
    game_state="game over"
  else
    game_state="game running"
  fi
}

CheckRunning() {
  kill -0 "$program_pid" 2>/dev/null && return 0
  local status=0
  wait "$program_pid" || status=$?
  program_pid=""
  Fail "the program ended by itself with status $status (seed $seed)"
}

# The program answers a ping only from its event handling, and only after
# it has taken every event sent before.
CheckAlive() {
  CheckRunning
  local took
  if ! took=$("$probe" ping "$main_window" "$limit_ms" 2>>"$log"); then
    CheckRunning
    Fail "no answer to a ping within $limit_ms ms (seed $seed)"
  fi
  pings=$((pings + 1))
  [ "$took" -le "$slowest_ping" ] || slowest_ping=$took
  [ "$took" -lt 500 ] || echo "  ping answered after $took ms" >>"$log"
}

PressAt() { # x y [button [count]], in client coordinates of the main window
  xdotool mousemove "$((X + $1))" "$((Y + client_top + $2))" \
    click --repeat "${4:-1}" --delay 40 "${3:-1}"
}

# Actions that may open a window end their burst, so that no later press
# of the burst lands, unplanned, on a menu item or the order window.
OpenMenu() {
  Act "open the game menu"
  burst_over=1
  xdotool mousemove "$((X + 30))" "$((Y + client_top / 2))" click 1
}

# Waits until the menu shows; false if it does not.
WaitForMenu() {
  for _ in $(seq 40); do
    ScanWindows
    [ -z "$dialog$box" ] || return 1
    [ -z "$popup" ] || { sleep 0.2; return 0; }
    sleep 0.05
  done
  return 1
}

# Opens the menu and chooses "始める": during a game it changes nothing,
# else it opens the order window. The game is read twice, before and after the
# program has taken everything sent so far; only a state seen both times is
# checked against.
ChooseStart() {
  ReadGameState
  local expected=$game_state
  CheckAlive
  ReadGameState
  [ "$game_state" = "$expected" ] || expected=unknown
  OpenMenu
  if ! WaitForMenu; then
    echo "  no menu to choose from" >>"$log"
    return 0
  fi
  Act "choose 始める ($expected)"
  xdotool mousemove "$((popup_X + 30))" "$((popup_Y + 11))" click 1
  if [ "$expected" = "game running" ]; then
    CheckAlive
    ScanWindows
    [ -z "$dialog" ] || Fail "始める opened the order window during a game (seed $seed)"
  fi
}

RandomKey() {
  local keys=(Escape Return space alt+g Down)
  Pick ${#keys[@]}
  Act "key ${keys[pick]}"
  [ "${keys[pick]}" != alt+g ] || burst_over=1
  xdotool key "${keys[pick]}"
}

# A press on the board at or below client row $1 (0 unless given): the
# menu and the order window cover the top of the board.
RandomBoardPress() {
  local top=${1:-0} x
  Pick 400
  x=$pick
  Pick $((400 - top))
  Act "press the board at ($x, $((top + pick)))"
  PressAt "$x" "$((top + pick))"
}

MainStep() {
  ReadGameState
  Pick 100
  case $game_state in
    "no game" | "game over")
      if [ "$pick" -lt 40 ]; then
        ChooseStart
        return
      fi
      ;;
  esac
  if [ -n "$legal" ] && [ "$pick" -lt 50 ]; then
    local cells cell
    read -ra cells <<<"$legal"
    Pick ${#cells[@]}
    cell=${cells[pick]}
    Act "press cell $cell, legal for seat $seat"
    PressAt "$((${cell%,*} * 50 + 25))" "$((${cell#*,} * 50 + 25))"
    return
  fi
  local x
  Pick 12
  case $pick in
    0 | 1 | 2) RandomBoardPress ;;
    3 | 4)
      Pick 100
      x=$((400 + pick))
      Pick 400
      Act "press beside the board at ($x, $pick)"
      PressAt "$x" "$pick"
      ;;
    5 | 6)
      Pick 400
      x=$pick
      Pick 400
      Act "double click the board at ($x, $pick)"
      PressAt "$x" "$pick" 1 2
      ;;
    7) Act "right press on the board" && PressAt 200 200 3 ;;
    8 | 9) OpenMenu ;;
    10) ChooseStart ;;
    *) RandomKey ;;
  esac
}

MenuStep() {
  Pick 4
  case $pick in
    0)
      Act "choose 始める from the open menu"
      burst_over=1
      xdotool mousemove "$((popup_X + 30))" "$((popup_Y + 11))" click 1
      ;;
    1) Act "key Escape on the menu" && xdotool key Escape ;;
    2) RandomBoardPress 100 ;; # below the menu: closes it
    *) OpenMenu ;;             # the open menu's title: closes it
  esac
}

DialogStep() {
  if [ "$dialog" != "$last_dialog" ]; then
    last_dialog=$dialog dialog_presses=0 dialog_closed=0
  fi
  Pick 10
  if [ "$pick" -lt 5 ] || { [ "$pick" -lt 7 ] && [ "$dialog_presses" -ge 2 ]; }; then
    dialog_presses=$((dialog_presses + 1))
    Act "press the order window's button (press $dialog_presses)"
    PressOrderButton "$dialog"
  elif [ "$pick" -lt 7 ]; then
    dialog_closed=1
    Act "close request to the order window"
    "$probe" close "$dialog"
  elif [ "$pick" -lt 9 ]; then
    RandomBoardPress 150 # below the order window; the main window is blocked
  else
    RandomKey # no key means anything there
  fi
}

BoxStep() {
  if [ "$box" != "$last_box" ]; then
    last_box=$box
    if [ "$box_name" = 結果 ]; then
      result_boxes=$((result_boxes + 1))
    else
      pass_boxes=$((pass_boxes + 1))
    fi
  fi
  Pick 10
  if [ "$pick" -lt 3 ]; then
    local key=Return
    [ "$pick" -ne 0 ] || key=space
    Act "key $key on the $box_name box"
    xdotool key "$key"
  elif [ "$pick" -lt 6 ]; then
    # The box's one button sits at its bottom right.
    eval "$(xdotool getwindowgeometry --shell "$box" | sed 's/^/box_/')"
    Act "click OK on the $box_name box"
    xdotool mousemove "$((box_X + box_WIDTH - 40))" \
      "$((box_Y + box_HEIGHT - 24))" click 1
  elif [ "$pick" -lt 9 ]; then
    RandomBoardPress # the main window is blocked
  else
    OpenMenu # blocked as well
  fi
}

# One step, chosen among the actions that fit what the screen shows.
MonkeyStep() {
  ScanWindows
  # Counted for the figures only: an order window that went away after two
  # presses and no close request started a game.
  if [ -n "$last_dialog" ] && [ "$dialog" != "$last_dialog" ]; then
    if [ "$dialog_closed" -eq 0 ] && [ "$dialog_presses" -ge 2 ]; then
      games=$((games + 1))
      echo "  game $games started" >>"$log"
    fi
    last_dialog=""
  fi
  if [ -n "$box" ]; then
    BoxStep
  elif [ -n "$dialog" ]; then
    DialogStep
  elif [ -n "$popup" ]; then
    MenuStep
  else
    MainStep
  fi
}

# Asks the program to quit now and checks that it ends with status 0 in
# time. With the order window or a box open the menu is blocked, so only
# the close request is possible then.
QuitProgram() {
  CheckAlive # everything sent before is taken, so the scan is current
  ScanWindows
  local state=$game_state method=close
  [ -z "$popup" ] || state="menu open, $state"
  [ -z "$dialog" ] || state="order window open"
  [ -z "$box" ] || state="$box_name box open"
  Pick 2
  if [ "$pick" -eq 0 ] && [ -z "$dialog$box" ]; then
    method=menu
    if [ -z "$popup" ]; then
      OpenMenu
      WaitForMenu || method=close
    fi
  fi
  Act "quit by $method ($state)"
  local asked status=0 took limit=$limit_ms
  if [ "$method" = menu ]; then
    xdotool mousemove "$((popup_X + 30))" "$((popup_Y + popup_HEIGHT - 11))" click 1
  else
    "$probe" close "$main_window"
  fi
  # The clock starts once the request is out: starting the probe itself can
  # take a while on a loaded machine.
  Now
  asked=$now_ms
  while kill -0 "$program_pid" 2>/dev/null && [ $((now_ms - asked)) -lt "$limit" ]; do
    sleep 0.02
    Now
  done
  took=$((now_ms - asked))
  if kill -0 "$program_pid" 2>/dev/null; then
    Fail "still running $limit ms after the quit by $method ($state, seed $seed)"
  fi
  wait "$program_pid" || status=$?
  program_pid=""
  quits=$((quits + 1))
  quit_statuses="$quit_statuses $status"
  [ "$took" -le "$slowest_quit" ] || slowest_quit=$took
  [ "$took" -gt 1000 ] || quits_within_a_second=$((quits_within_a_second + 1))
  echo "monkey: quit $quits by $method ($state): status $status after $took ms"
  echo "  status $status after $took ms" >>"$log"
  [ "$status" -eq 0 ] ||
    Fail "the quit by $method ($state) gave status $status (seed $seed)"
}

# True once the trial's chosen moment to quit has come: the order window,
# the menu or a box open; "any" waits for the end of the trial.
QuitMomentCame() {
  ScanWindows
  case $quit_when in
    order) [ -n "$dialog" ] ;;
    menu) [ -n "$popup" ] ;;
    box) [ -n "$box" ] ;;
    *) false ;;
  esac
}

StartXServer
Now
run_start=$now_ms
run_end=$((run_start + seconds * 1000))
quit_moments=(any any order menu box)
while [ "$now_ms" -lt "$run_end" ]; do
  StartProgram "$program" "$probe"
  last_dialog="" last_box="" game_state="no game"
  Pick "$longest_trial_ms"
  trial_end=$((now_ms + 1000 + pick))
  [ "$trial_end" -le "$run_end" ] || trial_end=$run_end
  Pick ${#quit_moments[@]}
  quit_when=${quit_moments[pick]}
  echo "-- program started: at most $((trial_end - now_ms)) ms, quit when $quit_when" >>"$log"
  while [ "$now_ms" -lt "$trial_end" ]; do
    # A burst of steps, then the ping: the steps may act on what the screen
    # showed before the program took the previous ones, as a hasty user does.
    Pick 4
    burst_over=0
    for _ in $(seq "$((pick + 1))"); do
      MonkeyStep
      [ "$burst_over" -eq 0 ] || break
    done
    CheckAlive
    ! QuitMomentCame || break
    Pick 3
    sleep "0.$pick"
    Now
  done
  QuitProgram
  Now
done

echo "monkey: seed $seed: $actions actions sent, $games games started," \
  "$pass_boxes pass boxes and $result_boxes result boxes seen," \
  "$pings pings answered (slowest $slowest_ping ms)"
echo "monkey: $quits quits tried, exit statuses:$quit_statuses;" \
  "$quits_within_a_second within a second, slowest $slowest_quit ms"
