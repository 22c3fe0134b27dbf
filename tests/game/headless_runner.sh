#!/usr/bin/env bash
# The headless runner as a script would run it: a changed key changes the digest, a script runs for
# its own length, seeds differ, screenshots are written, a run without sound is the same, a long
# random run completes the first level, and bad options end with one line and status 2. (That runs
# repeat exactly is checked against recorded digests by tests/perf/identical_output.sh.)
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}/lumendrift-headless"
# shellcheck source=tests/e2e/e2e.bash
source "${LUMEN_SOURCE_DIR:?}/tests/e2e/e2e.bash"
e2e_begin headless_runner
require_built "$bin" "${LUMEN_DATA_DIR:?}/foo3.lvl"
cd "$LUMEN_DATA_DIR"
printf '# turn, thrust and fire, then swap weapons\n20 up space\n15 left rctrl\n5\n30 up 3 lctrl\n10 rshift right\n' >"$scratch/script"
sed 's/^15 left rctrl/15 right rctrl/' "$scratch/script" >"$scratch/other"

first="$("$bin" --script "$scratch/script" --frames 120 --shot 1:"$scratch/one.bmp" --shot 120:"$scratch/last.bmp")"
echo "$first"
[[ "$first" =~ ^frames=120\ level=0\ kills=-?[0-9]+\ health=-?[0-9]+\ digest=[0-9a-f]{16}$ ]] ||
  fail "summary line has the wrong form: $first"
[ "${first##*digest=}" != "$("$bin" --script "$scratch/other" --frames 120 | sed 's/.*digest=//')" ] ||
  fail "another key gave the same digest"
[ "$(head -c 2 "$scratch/one.bmp")" = BM ] && [ "$(head -c 2 "$scratch/last.bmp")" = BM ] ||
  fail "no screenshots"
cmp -s "$scratch/one.bmp" "$scratch/last.bmp" && fail "the first and last frames look the same"
[[ "$("$bin" --script "$scratch/script")" == frames=80\ * ]] || fail "script length not used"

r1="$("$bin" --random 7 --frames 300)"
[ "$r1" != "$("$bin" --random 8 --frames 300)" ] || fail "two seeds gave the same run"
[ "$r1" = "$(SDL_AUDIODRIVER=no-such-driver "$bin" --random 7 --frames 300 | tail -n 1)" ] ||
  fail "a run without sound differs"
# Seed 6 kills its 30th enemy before frame 3500 (random play is chaotic; the seed just does): the
# next level counts from 0 towards its 50.
long="$("$bin" --random 6 --frames 3500)"
[[ "$long" =~ \ level=([0-9]+)\ kills=([0-9]+)\  ]] && [ "${BASH_REMATCH[1]}" -ge 1 ] &&
  [ "${BASH_REMATCH[2]}" -lt 50 ] || fail "not on a later level with fewer than 50 kills: $long"

echo "3 up jump" >"$scratch/bad"
for args in "--frames" "--frames ten" "--bogus" "--shot 0:x.bmp" "--shot 5" "--random -1" \
  "--script $scratch/bad" "--script $scratch/missing" "--script $scratch/script --random 1" \
  "--frames 10 --shot 11:$scratch/x.bmp"; do
  # shellcheck disable=SC2086
  run "$bin" $args
  [ "$status" -eq 2 ] && [ -n "$err" ] && [ "$err" = "${err%%$'\n'*}" ] ||
    fail "'$args': status $status, said: $out $err"
done
echo "headless_runner: ok"
