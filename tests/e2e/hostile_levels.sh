#!/usr/bin/env bash
# Hostile level files given to the headless runner (the game's own reading and set-up): cut short,
# counts and sizes that are wrong or not numbers, nodes and rim points that are NaN, infinite or
# far away, and noise. Each is refused with status 1 and one line naming the file within a few
# seconds, without a word on standard error; the valid ones (the fuzzer's small seed, a file with
# bytes after its levels) play. The fuzzer's corpus is the wider set.
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
"$bin/lumendrift-level" info "$real" | head -n 1 | grep -q "^level 0: columns 26 rows 20 " ||
  fail "level 0 of foo3.lvl is no longer 26 × 20; update the offsets below"
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
cut-in-count 3 cut -
cut-in-a-node 29 cut -
cut-in-the-rim $((rim + 4)) cut -
count-negative 0 l< -1
count-huge 0 l< 2147483647
columns-nan 4 L< $((0x7FC00000))
columns-fraction 4 f< 26.5
columns-two 4 f< 2
rows-huge 8 f< 16777216
rim-count-wrong 12 f< 87
node-infinite $((16 + 8 * 30 + 4)) L< $((0xFF800000))
node-far-away $((16 + 8 * 100)) f< 1e30
rim-nan $rim L< $((0x7FC00000))
TABLE
perl -e 'srand(7); print map { chr(int(rand(256))) } 1 .. 5000' >"$scratch/noise.lvl"
"$bin/lumendrift-level" build "$source_dir/fuzz/seeds/small.json" "$scratch/valid-small.lvl" >/dev/null
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
