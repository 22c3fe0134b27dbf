#!/usr/bin/env bash
# A long random run of the real game: enemies are killed, the kill target of the first level is
# reached and the next level starts, and the same seed gives the same final state twice.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}/lumendrift-headless"
data="${LUMEN_DATA_DIR:?}"
if [ ! -x "$bin" ] || [ ! -f "$data/foo3.lvl" ]; then
  echo "long_run_levels: the headless runner or the data folder is not built" >&2
  exit 1
fi
cd "$data"

# Seed 6 kills its 30th enemy before frame 3500 (random play is chaotic: the seed is just one
# that does).
first="$("$bin" --random 6 --frames 3500)"
second="$("$bin" --random 6 --frames 3500)"
echo "first:  $first"
echo "second: $second"

level="$(sed -n 's/.* level=\([0-9-]*\) .*/\1/p' <<<"$first")"
kills="$(sed -n 's/.* kills=\([0-9-]*\) .*/\1/p' <<<"$first")"
if [ -z "$level" ] || [ -z "$kills" ]; then
  echo "long_run_levels: no level or kills in the summary" >&2
  exit 1
fi
# Reaching level 1 takes the first level's 30 kills; the new level counts from 0 again.
if [ "$level" -lt 1 ]; then
  echo "long_run_levels: still on the first level after 3500 frames" >&2
  exit 1
fi
if [ "$kills" -lt 0 ] || [ "$kills" -ge 50 ]; then
  echo "long_run_levels: kills $kills out of range for the second level's target of 50" >&2
  exit 1
fi
if [ "$first" != "$second" ]; then
  echo "long_run_levels: two runs with the same seed differ" >&2
  exit 1
fi
