#!/usr/bin/env bash
# Hostile level files given to the game: cut short, counts and sizes far too large or not numbers,
# nodes and rim points that are NaN, infinite or far outside the picture, wrong rim counts and
# plain noise. Each is either refused with status 1 and one line naming the file, within a few
# seconds and without a word on standard error, or played normally; the files that are valid
# (the small fuzzing seed, one level of the real file) must play. Mostly through the headless
# runner's --level; the real game reads "foo3.lvl" from its folder and is given two of them.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}"
data="${LUMEN_DATA_DIR:?}"
source_dir="${LUMEN_SOURCE_DIR:?}"
# shellcheck source=tests/e2e/e2e.bash
source "$source_dir/tests/e2e/e2e.bash"
e2e_begin hostile_levels
require_built "$bin/lumendrift-headless" "$bin/lumendrift-level" "$data/foo3.lvl"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
real="$data/foo3.lvl"
levels="$scratch/levels"
mkdir "$levels"

# --- making hostile files ------------------------------------------------------------------------
# poke FILE OFFSET PACK-FORMAT VALUE: overwrites bytes at OFFSET with perl's pack of VALUE.
poke() {
  perl -e 'open(my $f, "+<", $ARGV[0]) or die; binmode $f; seek($f, $ARGV[1], 0);
           print $f pack($ARGV[2], $ARGV[3]); close $f' "$@"
}
# variant NAME OFFSET PACK-FORMAT VALUE: a copy of the real file with one value changed.
variant() {
  cp "$real" "$levels/$1.lvl"
  poke "$levels/$1.lvl" "$2" "$3" "$4"
}
nan=$((0x7FC00000)) infinity=$((0x7F800000)) minus_infinity=$((0xFF800000)) # as 32-bit patterns
columns0=26 rows0=20 # level 0 of the real file, checked below
nodes0=16            # offset of level 0's first node
rim0=$((nodes0 + 8 * columns0 * rows0))
"$bin/lumendrift-level" info "$real" | head -n 1 | grep -q "^level 0: columns $columns0 rows $rows0 " ||
  fail "level 0 of foo3.lvl is no longer $columns0 × $rows0; update the offsets in this test"
size="$(stat -c %s "$real")"

: >"$levels/empty.lvl"
head -c 3 "$real" >"$levels/three-bytes.lvl"
printf '\0\0\0\0' >"$levels/no-levels.lvl"
for cut in 7 15 $((nodes0 + 13)) $((rim0 + 4)) $((size / 2)) $((size - 1)); do
  head -c "$cut" "$real" >"$levels/cut-at-$cut.lvl"
done
variant count-negative 0 'l<' -1
variant count-huge 0 'l<' 2147483647
variant count-one-more 0 'l<' "$(($(head -c 4 "$real" | od -An -td4 | tr -d ' ') + 1))"
variant columns-nan 4 'L<' $nan
variant columns-infinite 4 'L<' $infinity
variant columns-huge 4 'f<' 1e9
variant columns-negative 4 'f<' -26
variant columns-fraction 4 'f<' 26.5
variant columns-two 4 'f<' 2
variant rows-huge 8 'f<' 16777216
variant rim-count-wrong 12 'f<' 87
variant rim-count-nan 12 'L<' $nan
variant node-nan "$nodes0" 'L<' $nan
variant node-infinite $((nodes0 + 8 * 30 + 4)) 'L<' $minus_infinity
variant node-far-away $((nodes0 + 8 * 100)) 'f<' 1e30
variant node-last-nan $((rim0 - 4)) 'L<' $nan
variant rim-nan "$rim0" 'L<' $nan
variant rim-infinite $((rim0 + 8 * 10 + 4)) 'L<' $infinity
cp "$real" "$levels/trailing-bytes.lvl"
printf 'garbage' >>"$levels/trailing-bytes.lvl"
perl -e 'srand(7); print map { chr(int(rand(256))) } 1 .. 5000' >"$levels/noise.lvl"
perl -e 'srand(8); print pack("l<", 1), map { chr(int(rand(256))) } 1 .. 5000' >"$levels/one-level-of-noise.lvl"
# Valid files that must play: the fuzzer's small seed (3 × 3 and 4 × 5 arenas, much smaller
# than the ship's start position) and the real file's first level alone.
"$bin/lumendrift-level" build "$source_dir/fuzz/seeds/small.json" "$levels/valid-small.lvl" >/dev/null
first_level_bytes=$((12 + 8 * columns0 * rows0 + 8 * (2 * (columns0 + rows0) - 4)))
{
  printf '\1\0\0\0'
  head -c $((4 + first_level_bytes)) "$real" | tail -c "$first_level_bytes"
} >"$levels/valid-first-level.lvl"
"$bin/lumendrift-level" check "$levels/valid-first-level.lvl" >/dev/null ||
  fail "the first level alone does not check: $("$bin/lumendrift-level" check "$levels/valid-first-level.lvl")"

# --- giving them to the game ---------------------------------------------------------------------
run() {
  set +e
  timeout 20 "$@" >"$scratch/out" 2>"$scratch/err"
  status=$?
  set -e
  out="$(cat "$scratch/out")"
  err="$(cat "$scratch/err")"
}
cd "$data"
refused=0
played=0
for file in "$levels"/*.lvl; do
  name="$(basename "$file" .lvl)"
  run "$bin/lumendrift-headless" --level "$file" --random 5 --frames 500
  [ -z "$err" ] || fail "$name: standard error: $err"
  case "$status" in
    0)
      [[ "$out" == frames=500\ * ]] || fail "$name: played, but the summary is: $out"
      played=$((played + 1))
      echo "hostile_levels: $name: played ($out)"
      ;;
    1)
      [[ "$name" != valid-* ]] || fail "$name: a valid file was refused: $out"
      [ -n "$out" ] && [ "$out" = "${out%%$'\n'*}" ] || fail "$name: not one line: $out"
      [[ "$out" == *"$file"* ]] || fail "$name: the line does not name the file: $out"
      refused=$((refused + 1))
      echo "hostile_levels: $name: $out"
      ;;
    *) fail "$name: exit status $status (124 = hung), said: $out" ;;
  esac
  case "$name" in
    valid-* | trailing-bytes) ;;
    *) [ "$status" -eq 1 ] || fail "$name: accepted" ;;
  esac
done
echo "hostile_levels: $refused refused, $played played"

# --- the real game, in Xvfb, reading foo3.lvl after the title screen ----------------------------
cp -r "$data" "$scratch/data"
cd "$scratch/data"
start_x_server "$scratch" || fail "no X server"
for name in node-nan count-huge; do
  cp "$levels/$name.lvl" foo3.lvl
  (SDL_VIDEODRIVER=x11 exec "$bin/lumendrift" >"$scratch/out" 2>"$scratch/err") &
  game_pid=$!
  for _ in $(seq 200); do
    xdotool search --name '^Lumen Drift$' >/dev/null 2>&1 && break
    sleep 0.1
  done
  xdotool search --name '^Lumen Drift$' >/dev/null 2>&1 || fail "no game window in Xvfb with $name"
  xdotool mousemove 400 300 key Return
  for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$game_pid" 2>/dev/null && fail "the game still runs 10 s after a key with $name as foo3.lvl"
  set +e
  wait "$game_pid"
  status=$?
  set -e
  game_pid=""
  out="$(cat "$scratch/out")"
  [ "$status" -eq 1 ] || fail "the game with $name: exit status $status, said: $out"
  [[ "$out" == "Lumen Drift cannot start: foo3.lvl: "* ]] && [ "$out" = "${out%%$'\n'*}" ] ||
    fail "the game with $name said: $out"
  [ ! -s "$scratch/err" ] || fail "the game with $name: standard error: $(cat "$scratch/err")"
  echo "hostile_levels: the game with $name: $out"
done
echo "hostile_levels: ok"
