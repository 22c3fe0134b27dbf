# Sourced by the end-to-end tests (not a test itself).

# e2e_begin NAME: sets $scratch (a new folder) and $game_pid (empty; a test puts the game it starts
# there) and traps EXIT to stop that game and any X server and remove the scratch folder.
e2e_name="" scratch="" game_pid=""
e2e_begin() {
  e2e_name="$1" scratch="$(mktemp -d)" game_pid=""
  trap e2e_cleanup EXIT
}
e2e_cleanup() {
  stop_program "$game_pid"
  stop_x_server
  rm -rf "$scratch"
}
# fail MESSAGE: "NAME: MESSAGE" on standard error, then what the program the test started in X
# said (in $scratch/game.out), and exit 1.
fail() {
  echo "$e2e_name: $*" >&2
  [ ! -s "$scratch/game.out" ] || sed "s/^/$e2e_name: the program said: /" "$scratch/game.out" >&2
  exit 1
}

# run PROGRAM ARGS…: runs it for at most 20 s; sets status, out and err.
run() {
  status=0
  timeout 20 "$@" >"$scratch/out" 2>"$scratch/err" || status=$?
  out="$(cat "$scratch/out")" err="$(cat "$scratch/err")"
}

# refused WHAT HOW: the last run stopped with status 1 and one line on standard output naming WHAT,
# and said nothing on standard error.
refused() {
  [ "$status" -eq 1 ] || fail "$1 $2: exit status $status (124 = hung), said: $out $err"
  [ -n "$out" ] && [ "$out" = "${out%%$'\n'*}" ] || fail "$1 $2: not one line: $out"
  [[ "$out" == *"$1"* ]] || fail "$1 $2: the line does not name it: $out"
  [ -z "$err" ] || fail "$1 $2: standard error: $err"
}

# play_in_x: starts the real game from the working folder on the X server, waits for its window,
# presses Return on the title screen and waits up to 10 s for it to end; sets status, out, err.
play_in_x() {
  (SDL_VIDEODRIVER=x11 exec "$bin/lumendrift" >"$scratch/out" 2>"$scratch/err") &
  game_pid=$!
  wait_for_window 60 || fail "no game window in Xvfb within 60 s"
  xdotool mousemove 400 300 key Return
  within 10 ended || fail "the game still runs 10 s after a key"
  reap
  out="$(cat "$scratch/out")" err="$(cat "$scratch/err")"
}

# within SECONDS COMMAND…: runs the command every 0.1 s until it succeeds; false after SECONDS.
within() {
  for _ in $(seq $(($1 * 10))); do "${@:2}" && return 0 || sleep 0.1; done
  return 1
}
# ended: the program in $game_pid has ended. reap: waits for it; sets status.
ended() { ! kill -0 "$game_pid" 2>/dev/null; }
reap() { status=0; wait "$game_pid" || status=$?; game_pid=""; }
# window_named PATTERN: a window whose name matches exists; sets window to the first.
window_named() { window="$(xdotool search --name "$1" 2>/dev/null | head -n 1)" && [ -n "$window" ]; }
# wait_for_window SECONDS: until a window named "Lumen Drift" exists; sets window.
wait_for_window() { within "$1" window_named '^Lumen Drift$'; }

# picture FILE WORD: word WORD (0-based, 4 bytes) of a level file as a float times 3, the picture
# coordinate a node's word stands for.
picture() { od -An -v -t f4 -j $((4 * $2)) -N 4 "$1" | awk '{ printf "%.4f", 3 * $1 }'; }
# changed_outside ORIGINAL EDITED OFFSET: how many bytes differ outside the 8 bytes (one node or
# rim point) from OFFSET.
changed_outside() {
  { cmp -l "$1" "$2" || true; } | awk -v lo=$(($3 + 1)) -v hi=$(($3 + 8)) '$1 < lo || $1 > hi' | wc -l
}

# require_built PATH…: each path exists (the programs and the data folder's level file), or the
# test fails with one line saying what to build.
require_built() {
  local path
  for path in "$@"; do [ -e "$path" ] || fail "$path is not built (build the project first)"; done
}

# start_x_server SCRATCH-FOLDER: starts Xvfb (1024 × 768, 24 bits; no reset when its last client
# leaves, which would refuse the next one for a moment), waits until it answers, sets DISPLAY and
# x_server_pid. Display numbers are drawn at random from 100–899: tests run side by side, and a
# number reused the moment another test's server shuts down can lose its socket to its clean-up.
x_server_pid=""
start_x_server() {
  local scratch="$1" attempt=0 draws=0 number
  # Answers, or has died: either way there is no point in waiting longer.
  x_up() { xprop -display ":$number" -root >/dev/null 2>&1 || ! kill -0 "$x_server_pid" 2>/dev/null; }
  # Ten servers tried on displays no other server holds (a taken number is drawn again).
  while [ "$attempt" -lt 10 ] && [ $((draws += 1)) -le 2000 ]; do
    number=$((100 + RANDOM % 800))
    [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
    attempt=$((attempt + 1))
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset >"$scratch/xvfb.log" 2>&1 &
    x_server_pid=$!
    within 10 x_up && kill -0 "$x_server_pid" 2>/dev/null && export DISPLAY=":$number" && return 0
    stop_x_server
  done
  echo "Xvfb did not start after $attempt attempts: $(cat "$scratch/xvfb.log" 2>/dev/null)" >&2
  return 1
}

stop_x_server() { stop_program "$x_server_pid" TERM; x_server_pid=""; }
# stop_program PID [SIGNAL]: ends a program the test started (at once: KILL unless SIGNAL says
# otherwise) and reaps it.
stop_program() {
  [ -z "$1" ] || { kill "-${2:-KILL}" "$1" 2>/dev/null; wait "$1" 2>/dev/null; } || true
}
