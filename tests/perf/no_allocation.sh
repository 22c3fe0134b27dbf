#!/usr/bin/env bash
# Play allocates nothing: long scripted and random runs of the real frame, counted on the game's
# thread after the first frame by the runner's replaced malloc and operator new, and the bench's
# steady frames of a busy scene. SDL's copies of a changed window caption are counted apart: two
# (title and icon name) per change of health or kills, far fewer than frames.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}/lumendrift-headless"
keys="${LUMEN_SOURCE_DIR:?}/tests/perf"
cd "${LUMEN_DATA_DIR:?}"
# shellcheck source=tests/e2e/e2e.bash
source "$LUMEN_SOURCE_DIR/tests/e2e/e2e.bash"
e2e_begin no_allocation
probe="$("$bin" --frames 1 --allocs 2>&1 || true)"
if grep -q "cannot count allocations" <<<"$probe"; then
  echo "no_allocation: skipped, this build (sanitizers) cannot count allocations"
  exit 0
fi
for args in "--script $keys/blackholes.keys --ammo 40" "--script $keys/flight.keys" \
  "--random 11 --frames 5000"; do
  # shellcheck disable=SC2086
  out="$("$bin" --max-allocs 0 $args)" || fail "$args allocated during play: $out"
  echo "$out"
  [[ "$(grep '^allocs=' <<<"$out")" =~ ^allocs=0\ caption_copies=([0-9]+)\ frames=([0-9]+)$ ]] &&
    [ "${BASH_REMATCH[2]}" -ge 500 ] && [ "${BASH_REMATCH[1]}" -lt "${BASH_REMATCH[2]}" ] ||
    fail "$args: no count over a long run, or the caption is set in most frames: $out"
done
"$bin" --bench | tee /dev/stderr | grep -qx 'allocs_per_frame=0.000' || fail "the bench's steady frames allocate"
