#!/usr/bin/env bash
# The headless runner and the game's start-up failures, run as a player or a script would run
# them: scripted keys repeat exactly, a changed key changes the digest, screenshots are written,
# bad options end with status 2, and a missing file ends the program with one line and status 1.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}"
data="${LUMEN_DATA_DIR:?}"
if [ ! -x "$bin/lumendrift-headless" ] || [ ! -x "$bin/lumendrift" ] || [ ! -f "$data/foo3.lvl" ]; then
  echo "headless_runner: the game, the headless runner or the data folder is not built" >&2
  exit 1
fi
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "headless_runner: $*" >&2
  exit 1
}

cat >"$scratch/script" <<'EOF'
# turn, thrust and fire, then swap weapons
20 up space
15 left rctrl
5
30 up 3 lctrl
10 rshift right
EOF
sed 's/^15 left rctrl/15 right rctrl/' "$scratch/script" >"$scratch/other"

cd "$data"
first="$("$bin/lumendrift-headless" --script "$scratch/script" --frames 120 --shot 1:"$scratch/one.bmp" --shot 120:"$scratch/last.bmp")"
again="$("$bin/lumendrift-headless" --script "$scratch/script" --frames 120)"
other="$("$bin/lumendrift-headless" --script "$scratch/other" --frames 120)"
echo "first: $first"
echo "other: $other"
[[ "$first" =~ ^frames=120\ level=0\ kills=-?[0-9]+\ health=-?[0-9]+\ digest=[0-9a-f]{16}$ ]] ||
  fail "summary line has the wrong form: $first"
[ "$first" = "$again" ] || fail "the same script gave two different runs"
[ "${first##*digest=}" != "${other##*digest=}" ] || fail "another key gave the same digest"
for shot in one last; do
  [ "$(head -c 2 "$scratch/$shot.bmp")" = "BM" ] || fail "no screenshot $shot.bmp"
done
cmp -s "$scratch/one.bmp" "$scratch/last.bmp" && fail "the first and last frames look the same"

# Without --frames a script runs for its own length.
length="$("$bin/lumendrift-headless" --script "$scratch/script")"
[[ "$length" == frames=80\ * ]] || fail "script length not used: $length"

# Random keys: the same seed repeats, another seed differs.
r1="$("$bin/lumendrift-headless" --random 7 --frames 300)"
r2="$("$bin/lumendrift-headless" --random 7 --frames 300)"
r3="$("$bin/lumendrift-headless" --random 8 --frames 300)"
[ "$r1" = "$r2" ] || fail "the same seed gave two different runs"
[ "$r1" != "$r3" ] || fail "two seeds gave the same run"

# No sound system at all is no failure: the run is the same, only silent.
silent="$(SDL_AUDIODRIVER=no-such-driver "$bin/lumendrift-headless" --random 7 --frames 300 | tail -n 1)"
[ "$silent" = "$r1" ] || fail "a run without sound differs: $silent"

# Bad options: one line on standard error, status 2.
echo "3 up jump" >"$scratch/bad"
for args in "--frames" "--frames ten" "--bogus" "--shot 0:x.bmp" "--shot 5" "--random -1" \
  "--script $scratch/bad" "--script $scratch/missing" "--script $scratch/script --random 1" \
  "--frames 10 --shot 11:$scratch/x.bmp"; do
  set +e
  # shellcheck disable=SC2086
  message="$("$bin/lumendrift-headless" $args 2>&1 >/dev/null)"
  status=$?
  set -e
  [ "$status" -eq 2 ] || fail "'$args' ended with status $status, not 2"
  [ "$(wc -l <<<"$message")" -eq 1 ] && [ -n "$message" ] || fail "'$args' said: $message"
done

# A data folder with a file missing: one line naming it, status 1, before any frame.
cp -r "$data" "$scratch/data"
rm "$scratch/data/sfx/thrust.wav"
cd "$scratch/data"
set +e
output="$("$bin/lumendrift-headless" --frames 5)"
status=$?
set -e
[ "$status" -eq 1 ] || fail "a missing sound ended with status $status"
[ "$output" = "${output%%$'\n'*}" ] || fail "more than one line: $output"
[[ "$output" == *"sfx/thrust.wav: "* ]] || fail "the missing sound is not named: $output"

# The game itself, started in an empty folder, names the first picture it cannot load.
mkdir "$scratch/empty"
cd "$scratch/empty"
set +e
output="$(SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$bin/lumendrift" 2>/dev/null)"
status=$?
set -e
[ "$status" -eq 1 ] || fail "the game in an empty folder ended with status $status"
[[ "$output" == "Lumen Drift cannot start: play/front.bmp: "* ]] || fail "unexpected: $output"
[ "$output" = "${output%%$'\n'*}" ] || fail "more than one line: $output"
echo "headless_runner: ok"
