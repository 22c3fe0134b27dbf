#!/usr/bin/env bash
# A long random run of the real game: the first level's 30 kills are reached and the next level
# starts counting from 0 towards its 50, and the same seed gives the same final state twice.
# (Seed 6 kills its 30th enemy before frame 3500; random play is chaotic, the seed just does.)
set -euo pipefail
cd "${LUMEN_DATA_DIR:?}"
first="$("${LUMEN_BIN_DIR:?}/lumendrift-headless" --random 6 --frames 3500)"
second="$("$LUMEN_BIN_DIR/lumendrift-headless" --random 6 --frames 3500)"
echo "$first"
[[ "$first" =~ \ level=([0-9]+)\ kills=([0-9]+)\  ]] &&
  [ "${BASH_REMATCH[1]}" -ge 1 ] && [ "${BASH_REMATCH[2]}" -lt 50 ] || {
  echo "long_run_levels: not on a later level with fewer than 50 kills: $first" >&2
  exit 1
}
[ "$first" = "$second" ] || {
  echo "long_run_levels: two runs with the same seed differ: $second" >&2
  exit 1
}
