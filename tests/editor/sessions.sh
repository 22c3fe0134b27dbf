#!/usr/bin/env bash
# The editor driven by --script through its own event path, judged by the level files it saves
# (what each brush does is the unit tests'), then once in a real X server as a designer uses it.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}" data="${LUMEN_DATA_DIR:?}"
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
  read -r s ox oy < <(sed -n 's/^view level=0 scale=\([0-9/]*\) offsetX=\(-*[0-9]*\) offsetY=\(-*[0-9]*\) folded=0$/\1 \2 \3/p' <<<"$out") ||
    fail "no view line after \"$1\": $out"
  zoom="$(awk -v s="$s" 'BEGIN { split(s, p, "/"); print (p[2] ? 1 / p[2] : p[1]) }')"
}
# The window pixel where the picture coordinate lands: trunc(p)·zoom + offset (the overview's
# shrink divides the truncated coordinate).
to_window() { awk -v p="$1" -v z="$zoom" -v o="$2" 'BEGIN { t = int(p + 1e-3); print int(t * z) + o }'; }
node_word() { echo $((4 + 2 * ($1 * 20 + $2))); } # x of node (i, j) of the 26 × 20 first level
keys() { printf 'key %s\n' "$@"; }                # script lines pressing each key named
# drag X Y [DX DY]: script lines dragging with the left button from (X, Y) by (DX, DY), (20, 18)
drag() {
  local x=$(($1 + ${3:-20})) y=$(($2 + ${4:-18}))
  printf 'press %d %d 1\nmove %d %d\nrelease %d %d 1\n' "$1" "$2" "$x" "$y" "$x" "$y"
}

# --- a node dragged at scales 1/2, 1, 2 and 4 ---------------------------------------------------
while read -r notches i j dx dy; do
  zoom_in="move 480 342"
  [ "$notches" -eq 0 ] || zoom_in+=$'\nwheel '"$notches"
  view_after "$zoom_in"
  w="$(node_word "$i" "$j")"
  x="$(picture original.lvl "$w")" y="$(picture original.lvl $((w + 1)))"
  X="$(to_window "$x" "$ox")" Y="$(to_window "$y" "$oy")"
  cp original.lvl drag.lvl && run "$zoom_in
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
0 24 3 -6 9
TABLE

# --- the arrows pan by 64 window pixels: left and up move the level right and down ------------
view_after "" && read -r x0 y0 <<<"$ox $oy"
view_after "$(keys left left right up up up down)"
[ "$ox $oy" = "$((x0 + 64)) $((y0 + 128))" ] || fail "the arrows panned from ($x0, $y0) to ($ox, $oy)"
view_after "$(printf 'press 400 300 2\nmove 410 330\nrelease 410 330 2')" # the middle button drags it
[ "$ox $oy" = "$((x0 + 10)) $((y0 + 30))" ] || fail "the middle button panned to ($ox, $oy)"

# --- undo, then save: the original bytes --------------------------------------------------------
cp original.lvl undo.lvl && run "$(drag 430 312 40 18)
key 2
press 500 300 1
release 500 300 1
$(keys ctrl+z ctrl+z ctrl+s)" undo.lvl
grep -q "^message undone: move node" <<<"$out" || fail "the drag was not undone: $out"
cmp -s original.lvl undo.lvl || fail "undo then save did not give the original file back"
cp original.lvl reset.lvl && run "$(drag 430 312 40 18)
$(keys ctrl+r ctrl+z ctrl+s)" reset.lvl
! cmp -s original.lvl reset.lvl || fail "undoing the reset after a drag undid the drag too"

# --- a rim point dragged in the reference view: rim point 1, (1, 0), by (10, 8) window pixels at
# scale 1/2 is (20, 16) reference pixels, half a cell across and 0.4 down; saved, Ctrl+Q quits ----
cp original.lvl rim.lvl && run "key tab
$(drag 250 152 10 8)
$(keys ctrl+s ctrl+q ctrl+r ctrl+s)" rim.lvl
rim=$((4 + 12 + 8 * 520 + 8))
[ "$(od -An -t f4 -j $rim -N 8 rim.lvl | xargs)" = "1.5 0.4" ] ||
  fail "rim point 1 dragged to ($(od -An -t f4 -j $rim -N 8 rim.lvl | xargs))"
others="$(changed_outside original.lvl rim.lvl $rim)"
[ "$others" -eq 0 ] || fail "the rim drag changed $others bytes outside rim point 1"

# --- add (the typed size replaces the default, End types after it; a wrong one keeps the prompt),
# duplicate (PageUp stays at the first level), delete, reorder; a move undone, redone, undone ------
cp original.lvl levels.lvl
run "$(keys pagedown shift+pageup shift+pagedown pageup pageup d a 2 x 5 return backspace \
  backspace backspace 0 0 0 7 x 0 0 0 5 9 return pagedown delete shift+pagedown ctrl+z ctrl+y \
  ctrl+z a end 9 return escape ctrl+s)" levels.lvl
sizes="$("$bin/lumendrift-level" info levels.lvl | awk '{ printf "%s%sx%s", sep, $4, $6; sep = " " }')"
[ "$sizes" = "26x20 26x20 7x5 30x30 32x32 34x24 36x28 30x24 56x44" ] ||
  fail "levels after move, duplicate, add 0007x0005 (a tenth character is not taken) and delete: $sizes"
for said in "columns must be 3-200" "level moved earlier" "level moved later" "undone: move level later" \
  "redone: move level later" "rows must be 3-200" "level added: 0007x0005"; do
  grep -qx "message $said" <<<"$out" || fail "no message \"$said\": $out"; done

# --- saves keep the file what it was: a private file stays private, a read-only one is refused
# (Save as, default replaced, keeps the work; Ctrl+Q then quits), a link stays a link, updated --
cp original.lvl private.lvl && chmod 600 private.lvl
cp original.lvl frozen.lvl && chmod 444 frozen.lvl
mkdir real && cp original.lvl real/target.lvl && ln -s real/target.lvl link.lvl
for file in private.lvl frozen.lvl link.lvl; do
  run "$(keys pagedown ctrl+r ctrl+s ctrl+shift+s shift+k e p t . l v l return ctrl+q)" $file
  grep -qx "message saved Kept.lvl" <<<"$out" && [ -s Kept.lvl ] && ! grep -q Unsaved <<<"$out" &&
    ! cmp -s original.lvl Kept.lvl || fail "Save as did not write Kept.lvl: $out"
  rm Kept.lvl
  [ $file != frozen.lvl ] ||
    { grep -qx "message not saved: read-only: frozen.lvl (Ctrl+Shift+S saves elsewhere)" <<<"$out" &&
      cmp -s original.lvl frozen.lvl && [ "$(stat -c %a frozen.lvl)" = 444 ]; } ||
    fail "the read-only file was not refused whole: $out"
done
[ "$(stat -c %a private.lvl)" = 600 ] && ! cmp -s original.lvl private.lvl ||
  fail "the private file was not saved as mode 600: $(stat -c %a private.lvl)"
[ -L link.lvl ] && [ "$(readlink link.lvl)" = real/target.lvl ] && ! cmp -s original.lvl real/target.lvl ||
  fail "the save through a link did not update its file and keep the link"

# --- a failed save keeps the old file and says why -----------------------------------------------
# A read-only folder stops everyone but root, so root runs the editor as nobody; where nobody
# cannot reach the build (a private home), the write is made to fail by a folder standing where
# the editor writes the new file before it replaces the old one.
mkdir locked && cp original.lvl locked/x.lvl && chmod 555 locked && chmod 755 "$scratch"
said="cannot write in the folder locked: Permission denied"
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  if ! "${as_user[@]}" test -x "$bin/lumendrift-editor" -a -r images/editorfont.bmp; then
    as_user=()
    chmod 755 locked
    mkdir locked/x.lvl.part
    said="locked/x.lvl.part: cannot write: Is a directory"
  fi
fi
run "$(keys pagedown ctrl+r ctrl+s)" locked/x.lvl
as_user=()
grep -qx "message not saved: $said (Ctrl+Shift+S saves elsewhere)" <<<"$out" ||
  fail "a save that cannot be written said: $out"
cmp -s original.lvl locked/x.lvl || fail "the failed save changed the old file"
[ "$(ls locked | grep -vx x.lvl.part)" = "x.lvl" ] || fail "the failed save left files: $(ls locked)"

# --- closing with unsaved changes asks until answered: neither a second close, Alt+Q nor an edit
# under the panel slips through; Escape goes back to editing, S saves everything and quits -------
cp original.lvl close.lvl && run "$(drag 430 312)
key ctrl+q
$(drag 290 212)
key ctrl+q
view
key escape
$(drag 370 272)
$(keys ctrl+q x alt+q s)
view" close.lvl
[ "$(grep -c '^view ' <<<"$out")" -eq 1 ] && [ "$(grep -c '^message Unsaved changes' <<<"$out")" -eq 2 ] ||
  fail "the close question did not hold until answered: $out"
[ "$(cmp -l original.lvl close.lvl | awk '{ print int(($1 - 1) / 4) }' | sort -u | wc -w)" -eq 4 ] ||
  fail "S did not save both drags (x and y of two nodes): $(cmp -l original.lvl close.lvl | wc -l) bytes"

# --- a twist folds cells: the editor counts them, the level tool warns and still says ok ---------
cp original.lvl twist.lvl && run "$(keys 4 ] . . . .)
press 480 340 1
$(printf 'move 481 340\nmove 480 340\n%.0s' $(seq 20))
release 480 340 1
view
key ctrl+s" twist.lvl
[ "$(grep -cxE 'message brush (radius 100 picture pixels|strength 0.70)' <<<"$out")" = 2 ] || fail "brush messages: $out"
folded="$(sed -n 's/^view .* folded=\([0-9]*\)$/\1/p' <<<"$out")"
[ "${folded:-0}" -gt 0 ] || fail "the twist folded no cell: $out"
status=0 && out="$("$bin/lumendrift-level" check twist.lvl)" || status=$?
[ "$status" -eq 0 ] && [ "$out" = "ok: 8 levels
warning: level 0: $folded folded cells (turned inside out or without area)" ] ||
  fail "check of the twisted level said ($status): $out"
[ "$("$bin/lumendrift-level" check original.lvl)" = "ok: 8 levels" ] || fail "check of the shipped levels said: $out"

# --- through the launcher (which changes into the data folder) a script's names are taken from
# the folder the user started in -------------------------------------------------------------------
mkdir -p prefix/games prefix/lib/games/lumendrift prefix/share/games start
cp "$LUMEN_SOURCE_DIR/packaging/lumendrift-editor" prefix/games/
ln -s "$bin/lumendrift-editor" prefix/lib/games/lumendrift/
ln -s "$data" prefix/share/games/lumendrift
printf 'shot rel.bmp\n' >start/shot.txt
(cd start && exec "$scratch/prefix/games/lumendrift-editor" --script shot.txt x.lvl) >/dev/null &&
  [ -s start/rel.bmp ] || { rm -f "$data/rel.bmp"; fail "shot rel.bmp did not land in the starting folder"; }

# --- bad scripts, bad and missing level files ----------------------------------------------------
run "view
press 1 2" original.lvl
[ "$status" -eq 2 ] && [ "$out" = 'script.txt:2: malformed command "press 1 2"' ] ||
  fail "a malformed script gave status $status and: $out"
for words in --bogus --script "a.lvl b.lvl"; do
  # shellcheck disable=SC2086
  status=0 && "$bin/lumendrift-editor" $words 2>usage.txt || status=$?
  [ "$status" -eq 2 ] && grep -q "^usage: lumendrift-editor" usage.txt || fail "$words: status $status"
done
head -c 3 original.lvl >cut.lvl
run "view" cut.lvl
[ "$status" -eq 1 ] && [ "$(wc -l <<<"$out")" -eq 1 ] && grep -q "^cut.lvl: " <<<"$out" ||
  fail "a 3-byte level file gave status $status and: $out"
run "shot nowhere/x.bmp" original.lvl
[ "$status" -eq 1 ] && [[ "$out" == *$'\n'"nowhere/x.bmp: cannot write the screenshot: "* ]] ||
  fail "a screenshot into a missing folder gave status $status and: $out"
mkdir fontless && cd fontless && run "view" ../original.lvl && cd .. # no images/ here
[ "$status" -eq 1 ] && [ "$out" = "images/editorfont.bmp: cannot load the editor's font (run from \
the data folder)" ] || fail "a missing font gave status $status and: $out"
run "$(keys ctrl+q s)" new.lvl  # unsaved from the start: the close asks, S saves
[ "$status" -eq 0 ] && grep -q "new.lvl does not exist" <<<"$out" || fail "a missing file: $out"
[ "$(stat -c %a new.lvl)" = "$(printf %o $((0666 & ~$(umask))))" ] ||
  fail "a new file's mode is $(stat -c %a new.lvl), not 0666 less the umask"
[ "$("$bin/lumendrift-level" info new.lvl | cut -d' ' -f1-6)" = "level 0: columns 26 rows 20" ] ||
  fail "saving a missing file did not create one default 26 x 20 level"

# --- no file named: the user's own copy of foo3.lvl, by the XDG rules ------------------------------
cp original.lvl foo3.lvl
: >script.txt
while IFS='|' read -r xdg home said; do
  user_env=(env -u XDG_DATA_HOME -u HOME)
  [ -z "$xdg" ] || user_env+=("XDG_DATA_HOME=${xdg//@/$scratch}")
  [ -z "$home" ] || user_env+=("HOME=${home//@/$scratch}")
  out="$("${user_env[@]}" "$bin/lumendrift-editor" --script script.txt)" || out+=" (status $?)"
  [ "${out%%$'\n'*}" = "${said//@/$scratch}" ] || fail "XDG_DATA_HOME='$xdg' HOME='$home': $out"
done <<'CASES'
@/xdg||message opened @/xdg/lumendrift/foo3.lvl
relative|@/home|message opened @/home/.local/share/lumendrift/foo3.lvl
relative||lumendrift-editor: XDG_DATA_HOME (relative) is not an absolute path and HOME is not set: no place for your levels (status 1)
||lumendrift-editor: XDG_DATA_HOME is not set and HOME is not set: no place for your levels (status 1)
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
# The overview averages the one-pixel green lines down: count clearly green pixels; the question
# panel has a yellow edge.
count() { convert shot.png -alpha off -fx "$1" -format '%[fx:mean*w*h]' info:; }
panel_up() {
  import -window root -crop 960x720+0+0 +repage shot.png
  awk -v e="$(count 'r > 0.95 && abs(g - 0.78) < 0.03 && b < 0.3')" 'BEGIN { exit !(e >= 1000) }'
}
xdotool mousemove --window "$window" --sync "$x" "$y" mousedown 1 # a left drag by (20, 10)
for step in 1 2 3 4 5; do xdotool mousemove --window "$window" --sync $((x + 4 * step)) $((y + 2 * step)); done
xdotool mouseup 1
"$bin/x-close-request" "$window" || fail "could not send a close request"
within 5 panel_up || fail "no question panel after a close request with unsaved changes"
ended && fail "the editor closed at once with unsaved changes"
green="$(count 'g > 0.3 && r < 0.1 && b < 0.1')"
awk -v g="$green" 'BEGIN { exit !(g >= 2000) }' || fail "no green grid in the window ($green)"
xdotool key s
within 5 ended || fail "S in the question panel did not quit"
reap
[ "$status" -eq 0 ] || fail "the editor ended with status $status"

word="$(node_word 10 8)"
[ "$(picture edited.lvl $word) $(picture edited.lvl $((word + 1)))" = \
  "$((400 + 20 * shrink)).0000 $((320 + 10 * shrink)).0000" ] ||
  fail "node (10, 8) is at ($(picture edited.lvl $word), $(picture edited.lvl $((word + 1))))"
others="$(changed_outside original.lvl edited.lvl $((4 * word)))"
[ "$others" -eq 0 ] || fail "$others bytes changed outside node (10, 8)"

echo "editor_sessions: ok"
