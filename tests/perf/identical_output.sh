#!/usr/bin/env bash
# Everything as recorded: the final states and every pixel (as BMP files and as screen memory) of
# three runs (a flight over many Camera cells, black holes bending the arena, long random play);
# every byte of the generated images, icons and sounds; the editor's views along a short script;
# what the level tool says and draws of the shipped levels.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}/lumendrift-headless"
keys="${LUMEN_SOURCE_DIR:?}/tests/perf"
# shellcheck source=tests/e2e/e2e.bash
source "$LUMEN_SOURCE_DIR/tests/e2e/e2e.bash"
e2e_begin identical_output
require_built "$bin" "${LUMEN_DATA_DIR:?}/foo3.lvl" "$LUMEN_BIN_DIR/lumendrift-editor" \
  "$LUMEN_BIN_DIR/lumendrift-level"
cd "$LUMEN_DATA_DIR"

# One run: its summary line, a digest of its screen hashes and one of its shots as BMP files.
run() {
  local name="$1" frames="$2"
  shift 2
  local shots=()
  for f in $frames; do shots+=(--shot "$f:$scratch/$name-$f.bmp"); done
  local said && said="$("$bin" --pixel-hashes "$@" "${shots[@]}")"
  echo "$(grep -v ^pixels <<<"$said") screens $(grep ^pixels <<<"$said" | md5sum | cut -c1-32)" \
    "bitmaps $(for f in $frames; do cat "$scratch/$name-$f.bmp"; done | md5sum | cut -c1-32)"
}

actual="$(
  run flight "1 50 150 300 450 580" --script "$keys/flight.keys"
  run blackholes "30 70 100 200 300 450 600 640" --script "$keys/blackholes.keys" --ammo 40
  run random "500 1500 3000" --random 7 --frames 3000
  "$LUMEN_BIN_DIR/lumendrift-assets" --icons "$scratch/icons"
  echo "data $({ find images play sfx -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum &&
    (cd "$scratch" && md5sum icons/*); } | md5sum | cut -d' ' -f1)"
  # What the editor prints and shows: the brush ring in the overview (eb), a step in, both prompts
  # given up, a stroke of each brush (twist both ways) off to the side, a selected node, the next
  # level (none selected) with a node of column 0 dragged over its neighbour (e3, two cells folded)
  # and undone (e9, the cursor at 0, 0, no play-test in a script), its reference view with rim point
  # 0 hovered (its drag off the grid refused), the help (F1, Escape close it), the brush's radius
  # and strength at both ends, a node of the last level dragged in the overview (ea, reduced), the
  # close question over that level panned (copy undone).
  cp foo3.lvl "$scratch/edit.lvl" && ln -s "$PWD/images" "$scratch/images"
  {
    printf '%s\n' "key 2" "move 480 342" "wheel 4" "wheel -1" "key minus" "key kp_minus" \
      "key minus" "view" "shot eb.bmp" "key plus" "view" "key kp_plus" "key plus" "key a" \
      "key escape" "key ctrl+shift+s" "key escape" "move 500 300" "shot e1.bmp"
    printf 'key %s\npress 700 500 1\nmove 706 504\nmove 712 500\nrelease 712 500 1\n' 1 2 3 4 x 5
    printf '%s\n' "key n" "press 417 279 1" "release 417 279 1" "shot e2.bmp" "key pagedown" \
      "key pagedown" "key pageup" "press 191 152 1" "move 196 152" "move 236 152" \
      "release 236 152 1" "shot e3.bmp" "key ctrl+z" "move -3 -2" "key p" "shot e9.bmp" "key tab" \
      "press 170 92 1" "move 170 40" "release 170 40 1" "move 170 92" "shot e4.bmp" "key f1" \
      "shot e5.bmp" "key f1" "key f1" "key escape" && printf 'key ]\nkey ,\n%.0s' {1..30}
    echo "shot e6.bmp" && printf 'key [\nkey .\n%.0s' {1..40} && echo "shot e7.bmp"
    printf 'key pagedown\n%.0s' {1..7} && printf '%s\n' "key d" "key ctrl+z" "key tab" "wheel -3" \
      "press 480 342 1" "move 530 380" "shot ea.bmp" "release 530 380 1" "key ctrl+z" "wheel 3" \
      "key tab" "press 400 300 3" "move 430 340" "release 430 340 3" "key ctrl+r" "key ctrl+q" \
      "shot e8.bmp" "key q"
  } >"$scratch/editor.txt"
  (cd "$scratch" && "$LUMEN_BIN_DIR/lumendrift-editor" --script editor.txt edit.lvl | md5sum &&
    cat e1.bmp e2.bmp e3.bmp e4.bmp e5.bmp e6.bmp e7.bmp e8.bmp e9.bmp ea.bmp eb.bmp | md5sum)
  # The level tool: the shipped levels described and as JSON, level 1 drawn its three ways.
  tool="$LUMEN_BIN_DIR/lumendrift-level"
  for mode in "" --coarse --reference; do
    "$tool" render foo3.lvl 1 "$scratch/l$mode.bmp" ${mode:+"$mode"}
  done
  echo "level tool $({ "$tool" info foo3.lvl && "$tool" dump foo3.lvl && cat "$scratch"/l*.bmp; } |
    md5sum | cut -d' ' -f1)"
)"

expected="$(cat "$keys/identical_output.expected")"
if [ "$actual" != "$expected" ]; then
  echo "identical_output: the runs differ from the recorded pictures and states" >&2
  diff <(echo "$expected") <(echo "$actual") >&2 || true
  exit 1
fi
echo "identical_output: $(grep -c . <<<"$actual") digests and screen hashes as recorded"
