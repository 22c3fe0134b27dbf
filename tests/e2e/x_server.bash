# Sourced by the real-window tests (not a test itself): an Xvfb display of the test's own, stopped
# by stop_x_server. Sets DISPLAY and x_server_pid.
#
# Display numbers are drawn at random from 100–899 rather than taking the lowest free one: tests
# run side by side, and a display number reused the moment another test's server shuts down can
# lose its socket to that server's clean-up.
x_server_pid=""

# start_x_server SCRATCH-FOLDER: starts Xvfb (1024 × 768, 24 bits) and waits until it answers.
start_x_server() {
  local scratch="$1" attempt number tries
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    number=$((100 + RANDOM % 800))
    if [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; then
      continue
    fi
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
    x_server_pid=$!
    for tries in $(seq 100); do
      if xprop -display ":$number" -root >/dev/null 2>&1; then
        export DISPLAY=":$number"
        return 0
      fi
      kill -0 "$x_server_pid" 2>/dev/null || break
      sleep 0.1
    done
    stop_x_server
  done
  echo "Xvfb did not start after $attempt attempts: $(cat "$scratch/xvfb.log")" >&2
  return 1
}

stop_x_server() {
  if [ -n "$x_server_pid" ]; then
    kill "$x_server_pid" 2>/dev/null || true
    wait "$x_server_pid" 2>/dev/null || true
    x_server_pid=""
  fi
}

# stop_program PID: ends a program the test started, at once, and reaps it.
stop_program() {
  if [ -n "$1" ]; then
    kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
  fi
}
