#!/usr/bin/env bash
# A player who started the game from a terminal can end it with Ctrl-C or kill, also while the
# title screen waits for a key (which ignores the window's close button).
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}"
data="${LUMEN_DATA_DIR:?}"
# shellcheck source=tests/e2e/e2e.bash
source "${LUMEN_SOURCE_DIR:?}/tests/e2e/e2e.bash"
e2e_begin terminal_interrupt
require_built "$bin/lumendrift" "$data/foo3.lvl"
start_x_server "$scratch"

# Whether a process still runs; an exited child that the shell has not reaped yet is a zombie.
running() {
  local state
  state="$(ps -o stat= -p "$1" 2>/dev/null)" || return 1
  [[ "$state" != Z* ]]
}

for signal in INT TERM; do
  (cd "$data" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec "$bin/lumendrift") \
    >"$scratch/game.out" 2>&1 &
  game_pid=$!
  for _ in $(seq 100); do
    xdotool search --name "Lumen Drift" >/dev/null 2>&1 && break
    sleep 0.1
  done
  xdotool search --name "Lumen Drift" >/dev/null 2>&1 || {
    echo "terminal_interrupt: no title window: $(cat "$scratch/game.out")" >&2
    exit 1
  }
  kill "-$signal" "$game_pid"
  for _ in $(seq 50); do
    running "$game_pid" || break
    sleep 0.1
  done
  if running "$game_pid"; then
    echo "terminal_interrupt: SIG$signal did not end the game at the title screen" >&2
    exit 1
  fi
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
done
echo "terminal_interrupt: SIGINT and SIGTERM end the game at the title screen"
