# Sourced by the real-window tests (not a test itself): an Xvfb display of the test's own, found
# free by Xvfb itself (-displayfd), stopped by stop_x_server. Sets DISPLAY and x_server_pid.
x_server_pid=""

# start_x_server SCRATCH-FOLDER: starts Xvfb (1024 × 768, 24 bits) and waits up to 10 s for it.
start_x_server() {
  local scratch="$1" tries=100
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" \
    2>"$scratch/xvfb.log" &
  x_server_pid=$!
  while [ ! -s "$scratch/display" ] && [ "$tries" -gt 0 ]; do
    sleep 0.1
    tries=$((tries - 1))
  done
  if [ ! -s "$scratch/display" ]; then
    echo "Xvfb did not start: $(cat "$scratch/xvfb.log")" >&2
    return 1
  fi
  export DISPLAY=":$(head -n 1 "$scratch/display")"
}

stop_x_server() {
  if [ -n "$x_server_pid" ]; then
    kill "$x_server_pid" 2>/dev/null || true
    wait "$x_server_pid" 2>/dev/null || true
    x_server_pid=""
  fi
}
