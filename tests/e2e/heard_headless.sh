#!/usr/bin/env bash
# The headless runner's sound, caught with SDL's disk audio driver (every mixed sample goes to a
# file): with no key held the run is silent until the enemies come (they are born in frame 50,
# where two born on top of each other already collide with a sound); holding Up starts the thrust
# loop, which is heard.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}/lumendrift-headless"
data="${LUMEN_DATA_DIR:?}"
if [ ! -x "$bin" ] || [ ! -f "$data/foo3.lvl" ]; then
  echo "heard_headless: the headless runner or the data folder is not built" >&2
  exit 1
fi
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "heard_headless: $*" >&2
  exit 1
}

# Runs the headless runner with the disk driver; prints "SAMPLES NONZERO PEAK" of what it wrote
# (signed 16-bit mono). The driver writes a 4096-sample block every 5 ms of wall-clock time.
listen() {
  local audio="$scratch/audio.raw"
  rm -f "$audio"
  (cd "$data" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" SDL_DISKAUDIODELAY=5 \
    timeout 60 "$bin" "$@" >"$scratch/summary" 2>"$scratch/stderr") ||
    fail "the run $* failed: $(cat "$scratch/summary" "$scratch/stderr")"
  [ -f "$audio" ] || fail "the disk audio driver wrote nothing for $*"
  od -An -v -td2 -w2 "$audio" |
    awk '{ v = $1 < 0 ? -$1 : $1; n++; if (v) loud++; if (v > peak) peak = v }
         END { print n + 0, loud + 0, peak + 0 }'
}

read -r samples loud peak <<<"$(listen --frames 49)"
echo "heard_headless: 49 quiet frames: $samples samples, $loud not silent, peak $peak"
[ "$samples" -ge 4096 ] || fail "less than one block written in 49 frames"
[ "$loud" -eq 0 ] || fail "49 frames with no key held and no enemy are not silent (peak $peak)"

printf '45 up\n' >"$scratch/thrust"
read -r samples loud peak <<<"$(listen --script "$scratch/thrust")"
echo "heard_headless: 45 frames of thrust: $samples samples, $loud not silent, peak $peak"
[ "$loud" -ge 1000 ] && [ "$peak" -ge 1000 ] || fail "holding Up is not heard"
echo "heard_headless: ok"
