#!/usr/bin/env bash
# Level files from outside. Hostile ones given to the headless runner (the game's own reading and
# set-up): cut short, counts and sizes that are wrong or not numbers, nodes and rim points that
# are far away or NaN, and noise. Each is refused with status 1 and one line naming the file within
# a few seconds, without a word on standard error; the valid ones (the fuzzer's small seed, a file
# with bytes after its levels) play. The reader's unit test and the fuzzer's corpus are the wider
# set. Then the level tool as a designer runs it: check and info on a real file, dump then build
# gives the same bytes, render writes a picture, and bad input gets one line and status 1 (2 for
# bad use) and leaves the target file alone.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}"
data="${LUMEN_DATA_DIR:?}"
source_dir="${LUMEN_SOURCE_DIR:?}"
# shellcheck source=tests/e2e/e2e.bash
source "$source_dir/tests/e2e/e2e.bash"
e2e_begin hostile_levels
tool="$bin/lumendrift-level"
real="$data/foo3.lvl"
require_built "$bin/lumendrift-headless" "$tool" "$real"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
"$tool" info "$real" | grep -q "^level 0: columns 26 rows 20 rimCount 88 nodes (0, 0) to (1000, 760)" ||
  fail "info: $("$tool" info "$real" | head -n 1) (the offsets below expect this level 0)"
rim=$((16 + 8 * 26 * 20)) # offset of level 0's first rim point; its first node is at 16

# NAME OFFSET PACK VALUE: a copy of the real file with one value changed ("cut" = cut at OFFSET).
while read -r name offset pack value; do
  if [ "$pack" = cut ]; then
    head -c "$offset" "$real" >"$scratch/$name.lvl"
  else
    cp "$real" "$scratch/$name.lvl"
    perl -e 'open(my $f, "+<", $ARGV[0]) or die; seek($f, $ARGV[1], 0);
             print $f pack($ARGV[2], $ARGV[3])' "$scratch/$name.lvl" "$offset" "$pack" "$value"
  fi
done <<TABLE
empty 0 cut -
cut-in-a-node 29 cut -
count-huge 0 l< 2147483647
columns-nan 4 L< $((0x7FC00000))
rows-huge 8 f< 16777216
node-far-away $((16 + 8 * 100)) f< 1e30
rim-nan $rim L< $((0x7FC00000))
TABLE
perl -e 'srand(7); print map { chr(int(rand(256))) } 1 .. 5000' >"$scratch/noise.lvl"
"$tool" build "$source_dir/fuzz/seeds/small.json" "$scratch/valid-small.lvl" >/dev/null
{ cat "$real"; printf 'garbage'; } >"$scratch/valid-trailing-bytes.lvl"

cd "$data"
for file in "$scratch"/*.lvl; do
  name="$(basename "$file" .lvl)"
  run "$bin/lumendrift-headless" --level "$file" --random 5 --frames 500
  if [[ "$name" == valid-* ]]; then
    [ "$status" -eq 0 ] && [[ "$out" == frames=500\ * ]] && [ -z "$err" ] ||
      fail "$name: status $status, said: $out $err"
  else
    refused "$file" "($name)"
  fi
  echo "hostile_levels: $name: $out"
done

# --- the level tool ------------------------------------------------------------------------------
[[ "$("$tool" check "$real")" =~ ^ok:\ ([0-9]+)\ levels$ ]] && [ "${BASH_REMATCH[1]}" -ge 6 ] ||
  fail "check: $("$tool" check "$real")"
"$tool" dump "$real" >"$scratch/levels.json"
"$tool" build "$scratch/levels.json" "$scratch/rebuilt.lvl" >/dev/null
cmp "$real" "$scratch/rebuilt.lvl" || fail "dump then build changed the bytes"
"$tool" render "$real" 2 "$scratch/level.bmp" >/dev/null
[ "$(head -c 2 "$scratch/level.bmp")" = BM ] || fail "render wrote no bitmap"
printf '\5\0\0\0garbage' >"$scratch/junk.lvl"
printf '{"levels": [{"columns": 2, "rows": 5}]}' >"$scratch/bad.json"
printf '{"levels": [' >"$scratch/broken.json"
printf 'old' >"$scratch/keep.lvl"
while IFS='|' read -r arguments mention; do
  # shellcheck disable=SC2086
  run "$tool" $arguments
  out="$out$err"
  [ "$status" -eq 1 ] && [[ "$out" == *"$mention"* ]] && [ "$out" = "${out%%$'\n'*}" ] ||
    fail "$arguments: status $status, said: $out"
done <<TABLE
check $scratch/absent.lvl|cannot open
check $scratch/junk.lvl|junk.lvl
build $scratch/bad.json $scratch/keep.lvl|level 0
build $scratch/broken.json $scratch/keep.lvl|not valid JSON
render $real 99 $scratch/x.bmp|99
TABLE
[ "$(cat "$scratch/keep.lvl")" = old ] || fail "a failed build changed the target"
for arguments in "" "frobnicate x"; do
  # shellcheck disable=SC2086
  run "$tool" $arguments
  [ "$status" -eq 2 ] || fail "'$arguments': status $status"
done
echo "hostile_levels: ok"
