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

# Waits (bounded) until the process has ended; its status is in
# $program_status.
WaitForExit() {
  for _ in $(seq 100); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$program_pid" 2>/dev/null && Fail "the program did not end"
  program_status=0
  wait "$program_pid" || program_status=$?
  program_pid=""
}
