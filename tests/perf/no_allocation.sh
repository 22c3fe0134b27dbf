#!/usr/bin/env bash
# Play allocates nothing: a scripted run with black holes bending the arena and a random run of
# the real frame, counted on the game's thread after the first frame by the runner's replaced
# malloc and operator new. SDL's copies of a changed window caption are counted apart: two (title
# and icon name) per change of health or kills, far fewer than frames. A runner that cannot count
# (the sanitizer build, where ctest does not register this test) fails it.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}/lumendrift-headless"
keys="${LUMEN_SOURCE_DIR:?}/tests/perf"
cd "${LUMEN_DATA_DIR:?}"
# shellcheck source=tests/e2e/e2e.bash
source "$LUMEN_SOURCE_DIR/tests/e2e/e2e.bash"
e2e_begin no_allocation
for args in "--script $keys/blackholes.keys --ammo 40" "--random 11 --frames 1500"; do
  # shellcheck disable=SC2086
  out="$("$bin" --max-allocs 0 $args 2>&1)" || fail "$args allocated during play: $out"
  echo "$out"
  [[ "$out" =~ ^frames=([0-9]+)\ .*allocs=0\ caption_copies=([0-9]+)\ frames=([0-9]+)$ ]] &&
    ((BASH_REMATCH[3] == BASH_REMATCH[1] - 1 && BASH_REMATCH[3] >= 500 && BASH_REMATCH[2] > 0 &&
      BASH_REMATCH[2] % 2 == 0 && BASH_REMATCH[2] < BASH_REMATCH[3])) ||
    fail "$args: a frame not counted, or caption copies odd, none or in most frames: $out"
done
