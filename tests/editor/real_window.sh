#!/usr/bin/env bash
# The editor in a real X server, used as a designer would: xdotool drags a node with the mouse,
# a close request with the change unsaved only warns, Ctrl+S saves, and a second close request
# ends the editor with status 0. The saved file holds the node moved by the mouse's motion at
# the start view's scale and every other byte as it was.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}"
data="${LUMEN_DATA_DIR:?}"
# shellcheck source=tests/e2e/e2e.bash
source "${LUMEN_SOURCE_DIR:?}/tests/e2e/e2e.bash"
e2e_begin editor_real_window
require_built "$bin/lumendrift-editor" "$bin/x-close-request" "$data/foo3.lvl" \
  "$data/images/editorfont.bmp"
within() { # SECONDS COMMAND…: retries the command every 0.1 s
  local tries=$(($1 * 10))
  shift
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}
cd "$scratch"
ln -s "$data/images" images
cp "$data/foo3.lvl" original.lvl
cp original.lvl edited.lvl

# The start view, as a script sees it: the same window and fit.
printf 'view\n' >view.txt
read -r shrink ox oy < <("$bin/lumendrift-editor" --script view.txt original.lvl |
  sed -n 's|^view level=0 scale=1/\([0-9]*\) offsetX=\(-*[0-9]*\) offsetY=\(-*[0-9]*\)$|\1 \2 \3|p') ||
  fail "the first level does not open in the overview"

find_window() { window="$(xdotool search --name '^Lumen Drift editor' 2>/dev/null | head -n 1)" && [ -n "$window" ]; }
up() { find_window || ! kill -0 "$game_pid" 2>/dev/null; }
# Under a heavy parallel load a new X server now and then refuses its first client; such a start
# is retried on a fresh server.
for attempt in 1 2 3; do
  start_x_server "$scratch" || fail "no X server"
  SDL_VIDEODRIVER=x11 "$bin/lumendrift-editor" edited.lvl >editor.out 2>&1 &
  game_pid=$!
  within 20 up || fail "no editor window appeared within 20 s"
  find_window && break
  grep -q "cannot start SDL" editor.out || fail "the editor ended at start: $(cat editor.out)"
  stop_x_server
done
find_window || fail "the editor could not open its window: $(cat editor.out)"

# Node (10, 8) of the first level lies at picture (400, 320).
x=$((400 / shrink + ox)) y=$((320 / shrink + oy))
xdotool mousemove --window "$window" --sync "$x" "$y" mousedown 1
for step in 1 2 3 4 5; do
  xdotool mousemove --window "$window" --sync $((x + 4 * step)) $((y + 2 * step))
  sleep 0.05
done
xdotool mouseup 1
sleep 0.3
"$bin/x-close-request" "$window" || fail "could not send a close request"
sleep 0.5
kill -0 "$game_pid" 2>/dev/null || fail "the editor closed at once with unsaved changes"
import -window root -crop 960x720+0+0 +repage shot.png
# The overview averages the one-pixel green lines down: count clearly green pixels.
green="$(convert shot.png -alpha off -fx 'g > 0.3 && r < 0.1 && b < 0.1' -format '%[fx:mean*w*h]' info:)"
awk -v g="$green" 'BEGIN { exit !(g >= 2000) }' || fail "no green grid in the window ($green)"
xdotool key ctrl+s
saved() { ! cmp -s original.lvl edited.lvl; }
within 5 saved || fail "Ctrl+S did not save"

word=$((4 + 2 * (10 * 20 + 8)))
picture() { od -An -v -t f4 -j $((4 * $2)) -N 4 "$1" | awk '{ printf "%.3f", 3 * $1 }'; }
[ "$(picture edited.lvl $word) $(picture edited.lvl $((word + 1)))" = \
  "$((400 + 20 * shrink)).000 $((320 + 10 * shrink)).000" ] ||
  fail "node (10, 8) is at ($(picture edited.lvl $word), $(picture edited.lvl $((word + 1))))"
others="$(cmp -l original.lvl edited.lvl | awk -v lo=$((4 * word + 1)) -v hi=$((4 * word + 8)) \
  '$1 < lo || $1 > hi' | wc -l)" || true
[ "$others" -eq 0 ] || fail "$others bytes changed outside node (10, 8)"

"$bin/x-close-request" "$window" || fail "could not send the second close request"
ended() { ! kill -0 "$game_pid" 2>/dev/null; }
within 2 ended || fail "the editor still runs after a close request with nothing unsaved"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the editor ended with status $status: $(cat editor.out)"
echo "editor_real_window: ok"
