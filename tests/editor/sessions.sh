#!/usr/bin/env bash
# The editor driven by --script through its own event path, judged by the level files it saves:
# a node dragged at several scales moves by the window motion over the scale and no other byte
# changes; undo then save gives the original bytes; a brush moves only nodes within its radius;
# added, duplicated, deleted and reordered levels show in the file; a save into a read-only
# folder keeps the old file and says why; bad scripts and level files stop with one line. Then the
# editor in a real X server, used as a designer would: xdotool drags a node, a close request with
# the change unsaved only warns, Ctrl+S saves the node moved by the mouse's motion at the start
# view's scale and every other byte as it was, and a second close request ends it with status 0.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}"
data="${LUMEN_DATA_DIR:?}"
# shellcheck source=tests/e2e/e2e.bash
source "${LUMEN_SOURCE_DIR:?}/tests/e2e/e2e.bash"
e2e_begin editor_sessions
require_built "$bin/lumendrift-editor" "$bin/lumendrift-level" "$bin/x-close-request" \
  "$data/foo3.lvl" "$data/images/editorfont.bmp"
cd "$scratch"
ln -s "$data/images" images
cp "$data/foo3.lvl" original.lvl

# run SCRIPT FILE: the editor on FILE with the script's lines; output in $out, status in $status.
run() {
  printf '%s\n' "$1" >script.txt
  status=0
  out="$("${as_user[@]}" "$bin/lumendrift-editor" --script script.txt "$2")" || status=$?
}
as_user=()
# The start view after the script SCRIPT: sets zoom (window pixels per picture pixel) and ox, oy.
view_after() {
  cp original.lvl view.lvl
  run "$1
view" view.lvl
  read -r s ox oy < <(sed -n 's/^view level=0 scale=\([0-9/]*\) offsetX=\(-*[0-9]*\) offsetY=\(-*[0-9]*\)$/\1 \2 \3/p' <<<"$out") ||
    fail "no view line after \"$1\": $out"
  zoom="$(awk -v s="$s" 'BEGIN { split(s, p, "/"); print (p[2] ? 1 / p[2] : p[1]) }')"
}
# The window pixel where the picture coordinate lands: trunc(p)·zoom + offset (the overview's
# shrink divides the truncated coordinate).
to_window() { awk -v p="$1" -v z="$zoom" -v o="$2" 'BEGIN { t = int(p + 1e-3); print int(t * z) + o }'; }
node_word() { echo $((4 + 2 * ($1 * 20 + $2))); } # x of node (i, j) of the 26 × 20 first level

# --- a node dragged at scales 1/2, 1, 2 and 4 ---------------------------------------------------
while read -r notches i j dx dy; do
  zoom_in="move 480 342"
  [ "$notches" -eq 0 ] || zoom_in+=$'\nwheel '"$notches"
  view_after "$zoom_in"
  w="$(node_word "$i" "$j")"
  x="$(picture original.lvl "$w")" y="$(picture original.lvl $((w + 1)))"
  X="$(to_window "$x" "$ox")" Y="$(to_window "$y" "$oy")"
  cp original.lvl drag.lvl
  run "$zoom_in
press $X $Y 1
move $((X + dx / 2)) $((Y + dy / 2))
move $((X + dx)) $((Y + dy))
release $((X + dx)) $((Y + dy)) 1
key ctrl+s" drag.lvl
  [ "$status" -eq 0 ] || fail "drag at scale $s: exit $status: $out"
  nx="$(picture drag.lvl "$w")" ny="$(picture drag.lvl $((w + 1)))"
  awk -v a="$x" -v b="$nx" -v c="$y" -v d="$ny" -v dx="$dx" -v dy="$dy" -v z="$zoom" \
    'BEGIN { ex = b - a - dx / z; ey = d - c - dy / z; exit !(ex * ex < 1e-4 && ey * ey < 1e-4) }' ||
    fail "node ($i, $j) dragged by ($dx, $dy) at scale $s went from ($x, $y) to ($nx, $ny)"
  others="$(changed_outside original.lvl drag.lvl $((4 * w)))"
  [ "$others" -eq 0 ] || fail "drag at scale $s changed $others bytes outside node ($i, $j)"
done <<'TABLE'
0 10 8 13 -7
1 3 4 -9 5
2 10 8 17 -9
4 12 9 7 11
TABLE

# --- undo, then save: the original bytes --------------------------------------------------------
cp original.lvl undo.lvl
run "press 430 312 1
move 470 330
release 470 330 1
key 2
press 500 300 1
release 500 300 1
key ctrl+z
key ctrl+z
key ctrl+s" undo.lvl
grep -q "^message undone: move node" <<<"$out" || fail "the drag was not undone: $out"
cmp -s original.lvl undo.lvl || fail "undo then save did not give the original file back"

# --- a rim point dragged in the reference view: rim point 1, (1, 0), by (10, 8) window pixels at
# scale 1/2 is (20, 16) reference pixels, half a cell across and 0.4 down -----------------------
cp original.lvl rim.lvl
run "key tab
press 250 152 1
move 260 160
release 260 160 1
key ctrl+s" rim.lvl
rim=$((4 + 12 + 8 * 520 + 8))
[ "$(od -An -t f4 -j $rim -N 8 rim.lvl | xargs)" = "1.5 0.4" ] ||
  fail "rim point 1 dragged to ($(od -An -t f4 -j $rim -N 8 rim.lvl | xargs))"
others="$(changed_outside original.lvl rim.lvl $rim)"
[ "$others" -eq 0 ] || fail "the rim drag changed $others bytes outside rim point 1"

# --- brushes move only the nodes within their radius ---------------------------------------------
zoom_in=$'move 480 342\nwheel 1'
view_after "$zoom_in"
cx="$(awk -v o="$ox" 'BEGIN { print 480 - o + 0.5 }')" cy="$(awk -v o="$oy" 'BEGIN { print 342 - o + 0.5 }')"
for brush in 2 3 4; do
  cp original.lvl brush.lvl
  run "$zoom_in
key $brush
key ]
press 480 342 1
release 480 342 1
key ctrl+s" brush.lvl
  # Level 0's nodes are words 4 … 4 + 2·520; pair them up and test each moved node's distance.
  paste <(od -An -v -t f4 -w8 -j 16 -N 4160 original.lvl) <(od -An -v -t f4 -w8 -j 16 -N 4160 brush.lvl) |
    awk -v cx="$cx" -v cy="$cy" -v r=100 '
      $1 != $3 || $2 != $4 { moved++; d = sqrt((3 * $1 - cx) ^ 2 + (3 * $2 - cy) ^ 2); if (d >= r) far++ }
      END { exit !(moved >= 5 && far == 0) }' ||
    fail "brush $brush moved too few nodes or one beyond its radius 100 around ($cx, $cy)"
done

# --- add, duplicate, delete and reorder levels ---------------------------------------------------
cp original.lvl levels.lvl
run "key pagedown
key shift+pageup
key d
key a
$(printf 'key backspace\n%.0s' 1 2 3 4 5)
key 7
key x
key 5
key return
key pagedown
key delete
key ctrl+s" levels.lvl
sizes="$("$bin/lumendrift-level" info levels.lvl | awk '{ printf "%s%sx%s", sep, $4, $6; sep = " " }')"
[ "$sizes" = "32x26 32x26 7x5 30x30 32x32 34x24 36x28 30x24 56x44" ] ||
  fail "levels after move, duplicate, add 7x5 and delete: $sizes"

# --- a failed save keeps the old file and says why -----------------------------------------------
# A read-only folder stops everyone but root, so root runs the editor as nobody; where nobody
# cannot reach the build (a private home), the write is made to fail by a folder standing where
# the editor writes the new file before it replaces the old one.
mkdir locked
cp original.lvl locked/x.lvl
chmod 555 locked
chmod 755 "$scratch"
reason="Permission denied"
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  if ! "${as_user[@]}" test -x "$bin/lumendrift-editor" -a -r images/editorfont.bmp; then
    as_user=()
    chmod 755 locked
    mkdir locked/x.lvl.part
    reason="Is a directory"
  fi
fi
run "key pagedown
key ctrl+r
key ctrl+s" locked/x.lvl
as_user=()
grep -q "^message not saved: locked/x.lvl: cannot write: $reason$" <<<"$out" ||
  fail "a save that cannot be written said: $out"
cmp -s original.lvl locked/x.lvl || fail "the failed save changed the old file"
[ "$(ls locked | grep -vx x.lvl.part)" = "x.lvl" ] || fail "the failed save left files: $(ls locked)"

# --- bad scripts, bad and missing level files ----------------------------------------------------
run "view
press 1 2" original.lvl
[ "$status" -eq 2 ] && [ "$out" = 'script.txt:2: malformed command "press 1 2"' ] ||
  fail "a malformed script gave status $status and: $out"
head -c 3 original.lvl >cut.lvl
run "view" cut.lvl
[ "$status" -eq 1 ] && [ "$(wc -l <<<"$out")" -eq 1 ] && grep -q "^cut.lvl: " <<<"$out" ||
  fail "a 3-byte level file gave status $status and: $out"
run "key ctrl+s" new.lvl
[ "$status" -eq 0 ] && grep -q "new.lvl does not exist" <<<"$out" || fail "a missing file: $out"
[ "$("$bin/lumendrift-level" info new.lvl | cut -d' ' -f1-6)" = "level 0: columns 26 rows 20" ] ||
  fail "saving a missing file did not create one default 26 x 20 level"

# --- no file named: the user's own copy of foo3.lvl, by the XDG rules ------------------------------
cp original.lvl foo3.lvl
: >script.txt
while IFS='|' read -r xdg home said; do
  user_env=(env -u XDG_DATA_HOME -u HOME)
  [ -z "$xdg" ] || user_env+=("XDG_DATA_HOME=${xdg//@/$scratch}")
  [ -z "$home" ] || user_env+=("HOME=${home//@/$scratch}")
  out="$("${user_env[@]}" "$bin/lumendrift-editor" --script script.txt)" || true
  [ "${out%%$'\n'*}" = "${said//@/$scratch}" ] || fail "XDG_DATA_HOME='$xdg' HOME='$home': $out"
done <<'CASES'
@/xdg||message opened @/xdg/lumendrift/foo3.lvl
relative|@/home|message opened @/home/.local/share/lumendrift/foo3.lvl
relative||lumendrift-editor: XDG_DATA_HOME (relative) is not an absolute path and HOME is not set: no place for your levels
||lumendrift-editor: XDG_DATA_HOME is not set and HOME is not set: no place for your levels
CASES
cmp -s xdg/lumendrift/foo3.lvl original.lvl || fail "the user's copy differs from the shipped levels"

# --- the editor in a real X server: node (10, 8) of the first level, at picture (400, 320) --------
view_after ""
[[ "$s" == 1/* ]] || fail "the first level does not open in the overview"
shrink="${s#1/}"
cp original.lvl edited.lvl
start_x_server "$scratch" || fail "no X server"
SDL_VIDEODRIVER=x11 "$bin/lumendrift-editor" edited.lvl >"$scratch/game.out" 2>&1 &
game_pid=$!
within 60 window_named '^Lumen Drift editor' || fail "no editor window appeared within 60 s"

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
ended && fail "the editor closed at once with unsaved changes"
import -window root -crop 960x720+0+0 +repage shot.png
# The overview averages the one-pixel green lines down: count clearly green pixels.
green="$(convert shot.png -alpha off -fx 'g > 0.3 && r < 0.1 && b < 0.1' -format '%[fx:mean*w*h]' info:)"
awk -v g="$green" 'BEGIN { exit !(g >= 2000) }' || fail "no green grid in the window ($green)"
xdotool key ctrl+s
saved() { ! cmp -s original.lvl edited.lvl; }
within 5 saved || fail "Ctrl+S did not save"

word="$(node_word 10 8)"
[ "$(picture edited.lvl $word) $(picture edited.lvl $((word + 1)))" = \
  "$((400 + 20 * shrink)).0000 $((320 + 10 * shrink)).0000" ] ||
  fail "node (10, 8) is at ($(picture edited.lvl $word), $(picture edited.lvl $((word + 1))))"
others="$(changed_outside original.lvl edited.lvl $((4 * word)))"
[ "$others" -eq 0 ] || fail "$others bytes changed outside node (10, 8)"

"$bin/x-close-request" "$window" || fail "could not send the second close request"
within 2 ended || fail "the editor still runs after a close request with nothing unsaved"
reap
[ "$status" -eq 0 ] || fail "the editor ended with status $status"
echo "editor_sessions: ok"
