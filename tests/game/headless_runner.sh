#!/usr/bin/env bash
# The headless runner as a script would run it: a changed key changes the digest, a script runs for
# its own length, seeds differ, screenshots are written, a run without sound is the same, and bad
# options end with one line and status 2. Every run compared must itself succeed with a summary.
# (That runs repeat exactly is checked against recorded digests by tests/perf/identical_output.sh.)
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}/lumendrift-headless"
# shellcheck source=tests/e2e/e2e.bash
source "${LUMEN_SOURCE_DIR:?}/tests/e2e/e2e.bash"
e2e_begin headless_runner
require_built "$bin" "${LUMEN_DATA_DIR:?}/foo3.lvl"
cd "$LUMEN_DATA_DIR"
printf '# turn, thrust and fire, then swap weapons\n20 up space\n15 left rctrl\n5\n30 up 3 lctrl\n10 rshift right\n' >"$scratch/script"
sed 's/^15 left rctrl/15 right rctrl/' "$scratch/script" >"$scratch/other"

# summary ARGS…: the run's last line, which must be a whole summary (the run exits 0).
summary() {
  local line
  line="$("$bin" "$@" | tail -n 1)" || fail "$*: exit status $?"
  [[ "$line" =~ ^frames=[0-9]+\ level=0\ kills=-?[0-9]+\ health=-?[0-9]+\ digest=[0-9a-f]{16}$ ]] ||
    fail "$*: the summary line has the wrong form: $line"
  echo "$line"
}
first="$(summary --script "$scratch/script" --frames 120 --shot 1:"$scratch/one.bmp" --shot 120:"$scratch/last.bmp")"
echo "$first"
other="$(summary --script "$scratch/other" --frames 120)"
[ "${first##*digest=}" != "${other##*digest=}" ] || fail "another key gave the same digest"
[ "$(head -c 2 "$scratch/one.bmp")" = BM ] && [ "$(head -c 2 "$scratch/last.bmp")" = BM ] ||
  fail "no screenshots"
cmp -s "$scratch/one.bmp" "$scratch/last.bmp" && fail "the first and last frames look the same"
own="$(summary --script "$scratch/script")"
[[ "$own" == frames=80\ * ]] || fail "script length not used: $own"

r1="$(summary --random 7 --frames 300)"
r2="$(summary --random 8 --frames 300)"
silent="$(SDL_AUDIODRIVER=no-such-driver summary --random 7 --frames 300)"
[ "$r1" != "$r2" ] || fail "two seeds gave the same run"
[ "$r1" = "$silent" ] || fail "a run without sound differs"

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
