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
start_x_server "$scratch" || fail "no X server"
cd "$data"
for signal in INT TERM; do
  (SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec "$bin/lumendrift" >"$scratch/out" 2>&1) &
  game_pid=$!
  wait_for_window 60 || fail "no title window: $(cat "$scratch/out")"
  kill "-$signal" "$game_pid"
  for _ in $(seq 50); do # an exited child the shell has not reaped yet is a zombie: gone too
    [[ "$(ps -o stat= -p "$game_pid" 2>/dev/null || echo Z)" == Z* ]] && break
    sleep 0.1
  done
  [[ "$(ps -o stat= -p "$game_pid" 2>/dev/null || echo Z)" == Z* ]] ||
    fail "SIG$signal did not end the game at the title screen"
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
done
echo "terminal_interrupt: SIGINT and SIGTERM end the game at the title screen"
