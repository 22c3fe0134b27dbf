#!/usr/bin/env bash
# The headless runner: --frames outlasts a shorter script, a run without either is 1000 frames,
# --trace prints a line a frame, bad options end with one line and status 2. (Good runs' output is
# pinned by identical_output.sh; that a run without sound is the same, by broken_installs.sh.)
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}/lumendrift-headless"
# shellcheck source=tests/e2e/e2e.bash
source "${LUMEN_SOURCE_DIR:?}/tests/e2e/e2e.bash"
e2e_begin headless_runner
require_built "$bin" "${LUMEN_DATA_DIR:?}/foo3.lvl"
cd "$LUMEN_DATA_DIR"
printf '20 up space\n0 down\n5\n' >"$scratch/script" # a step of 0 frames, --ammo 0 and one level are allowed
{ printf '\1\0\0\0' && head -c 4880 foo3.lvl | tail -c 4876; } >"$scratch/one.lvl" # level 0: 12 + 8·26·20 + 8·88 bytes
out="$("$bin" --script "$scratch/script" --frames 40 --trace --ammo 0 --level "$scratch/one.lvl")" ||
  fail "a script and --frames: status $?"
last="$(tail -n 1 <<<"$out")"
[[ "$last" == frames=40\ * ]] || fail "--frames beyond the script's 25 frames was not kept: $last"
# --trace: a line a frame, the last one with the summary's digest.
[ "$(grep -c '^frame=' <<<"$out")" -eq 40 ] && [ "$(sed -n 40p <<<"$out")" = "frame=40 digest=${last##*digest=}" ] ||
  fail "--trace: $out"
[[ "$("$bin" --shot "1:$scratch/1.bmp")" == frames=1000\ * ]] || fail "not 1000 frames, or hashes unasked"
echo "3 up jump" >"$scratch/bad"
for args in "--frames" "--frames ten" "--frames +5" "--bogus" "--shot 0:x.bmp" "--shot 5" "--shot 5:" \
  "--random -1" "--script $scratch/bad" "--script $scratch/missing" "--script $scratch/script --random 1" \
  "--frames 10 --shot 11:$scratch/x.bmp"; do
  # shellcheck disable=SC2086
  run "$bin" $args && [ "$status" -eq 2 ] && [ -n "$err" ] && [ "$err" = "${err%%$'\n'*}" ] ||
    fail "'$args': status $status, said: $out $err"
done
echo "headless_runner: ok"
