#!/usr/bin/env bash
# Play allocates nothing: long scripted and random runs of the real frame, counted on the game's
# thread after the first frame by the runner's replaced malloc and operator new. SDL's own copies
# of a changed window caption are counted apart; they happen only when the text changes.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}/lumendrift-headless"
data="${LUMEN_DATA_DIR:?}"
keys="${LUMEN_SOURCE_DIR:?}/tests/perf"
if [ ! -x "$bin" ] || [ ! -f "$data/foo3.lvl" ]; then
  echo "no_allocation: the headless runner or the data folder is not built" >&2
  exit 1
fi
cd "$data"

probe="$("$bin" --frames 1 --allocs || true)"
if grep -q "cannot count allocations" <<<"$probe"; then
  echo "no_allocation: skipped, this build (sanitizers) cannot count allocations"
  exit 0
fi

check() {
  local out
  out="$("$bin" --max-allocs 0 "$@")" || {
    echo "no_allocation: $* allocated during play:" >&2
    echo "$out" >&2
    exit 1
  }
  echo "$out"
  local frames copies
  frames="$(sed -n 's/^allocs=0 caption_copies=[0-9]* frames=\([0-9]*\)$/\1/p' <<<"$out")"
  copies="$(sed -n 's/^allocs=0 caption_copies=\([0-9]*\) .*/\1/p' <<<"$out")"
  if [ -z "$frames" ] || [ "$frames" -lt 500 ]; then
    echo "no_allocation: no count of allocations over a long run in the output" >&2
    exit 1
  fi
  # Two copies (title and icon name) per change of health or kills, far fewer than frames.
  if [ "$copies" -ge "$frames" ]; then
    echo "no_allocation: the caption is set again in most frames ($copies copies)" >&2
    exit 1
  fi
}

check --script "$keys/blackholes.keys" --ammo 40
check --script "$keys/flight.keys"
check --random 11 --frames 5000
# The runner checks before play that its counter sees an operator new, a malloc and a caption
# copy; the bench's steady frames of a busy scene (five enemies, 60 shots, black holes) count too.
bench="$("$bin" --bench)"
echo "$bench"
grep -qx 'allocs_per_frame=0.000' <<<"$bench" || {
  echo "no_allocation: the bench's steady frames allocate" >&2
  exit 1
}
