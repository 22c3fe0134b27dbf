#!/usr/bin/env bash
# The browser build's tests, after scripts/web has built build-web/: the node runner's digests
# against the native runner's, then the page served as scripts/web serve serves it and played in
# Debian's headless Chromium (tests/web/page_test.mjs), with the desktop game's frame pacing in
# Xvfb measured just before it for the comparison it prints.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$root/build-web"
cd "$root"
# shellcheck source=tests/e2e/e2e.bash
source tests/e2e/e2e.bash
e2e_begin "web test"
server=""
trap 'stop_program "$server" TERM; e2e_cleanup' EXIT
require_built build/bin/lumendrift build/bin/lumendrift-headless "$out/bin/lumendrift-headless.js" \
  "$out/site/index.html" "$out/npm/node_modules/puppeteer-core"

# The same script through both runners: every frame's digest is the same up to the first frame
# that draws rand() (the browser's C library has another rand()); the black hole bends the Lattice
# and the ship turns, thrusts and fires before that.
printf '2 5\n4 space\n20 up left\n25 up right space\n2 2\n10 space\n30 up\n' > "$scratch/play"
run=(--ammo 20 --script "$scratch/play" --trace)
(cd build/data && ../bin/lumendrift-headless "${run[@]}") > "$scratch/native"
(cd build/data && LUMEN_MARK_RAND=1 node "$out/bin/lumendrift-headless.js" "${run[@]}") > "$scratch/web"
first="$(grep -A1 '^rand drawn$' "$scratch/web" | sed -n 's/^frame=\([0-9]*\) .*/\1/p')"
[ -n "$first" ] && [ "$first" -gt 20 ] || fail "rand() first drawn in frame '${first}', too early to compare"
diff <(grep '^frame=' "$scratch/native" | head -n $((first - 1))) \
  <(grep '^frame=' "$scratch/web" | head -n $((first - 1))) >&2 ||
  fail "digests of the node runner differ from the native ones before frame $first"
echo "web test: digests equal in frames 1-$((first - 1)); rand() first drawn in frame $first"

# The desktop game's pacing: in its own Xvfb, every SDL_Flip timed for 11 s from a second after
# the title was left, the player idle.
cc -shared -fPIC -O2 $(sdl-config --cflags) tests/web/flip_times.c -o "$scratch/flip_times.so" -ldl
start_x_server "$scratch"
(cd build/data && LUMEN_FLIP_LOG="$scratch/flips" LD_PRELOAD="$scratch/flip_times.so" \
  SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec ../bin/lumendrift >"$scratch/game.out" 2>&1) &
game_pid=$!
wait_for_window 60 || fail "no desktop game window in Xvfb within 60 s"
xdotool key Return
sleep 12
stop_program "$game_pid"
game_pid=""
stop_x_server

# The page, served by web/serve.py on a free port, in Debian's chromium with the pinned npm driver.
cp tests/web/page_test.mjs "$out/npm/"
port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
python3 web/serve.py "$out/site" "$port" >/dev/null 2>&1 &
server=$!
within 10 bash -c "exec 3<>/dev/tcp/127.0.0.1/$port" 2>/dev/null || fail "web/serve.py did not answer"
mkdir -p "$out/test"
node "$out/npm/page_test.mjs" "http://127.0.0.1:$port/" build/data "$out/test" "$scratch/flips" ||
  fail "the page test failed"
echo "web test: machine load $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min) on $(nproc) cores"
