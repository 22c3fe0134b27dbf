#!/usr/bin/env bash
# Broken installs and level files as a player would meet them: the game either plays normally or
# stops with exit status 1 and one line on standard output naming the file within a few seconds;
# never a crash, a hang or a word on standard error. (Every data file missing, empty and cut in
# half is the game set-up's unit test; hostile level files are the level reader's and the
# fuzzer's.) Last, the level tool and the generator as a designer runs them.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}" data="${LUMEN_DATA_DIR:?}"
# shellcheck source=tests/e2e/e2e.bash
source "${LUMEN_SOURCE_DIR:?}/tests/e2e/e2e.bash"
e2e_begin broken_installs
tool="$bin/lumendrift-level" real="$data/foo3.lvl"
require_built "$bin/lumendrift-headless" "$bin/lumendrift" "$tool" "$real"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
cp -r "$data" "$scratch/data"
cd "$scratch/data"
normal="$("$bin/lumendrift-headless" --frames 5)" || fail "the intact data folder does not play"
for file in play/front.bmp images/titlescreen.bmp; do # loaded by the game before the title
  mv "$file" "$scratch/kept"
  for program in lumendrift lumendrift-headless; do
    run "$bin/$program" && refused "$file" "missing ($program)"
  done
  mv "$scratch/kept" "$file"
done

# --- level files the reader takes are played, each its own: a small one, one with trailing bytes
"$tool" build "$LUMEN_SOURCE_DIR/fuzz/seeds/small.json" "$scratch/small.lvl" >/dev/null
{ cat "$real"; printf 'garbage'; } >"$scratch/trailing.lvl"
for file in "$scratch/small.lvl" "$scratch/trailing.lvl"; do
  run "$bin/lumendrift-headless" --level "$file" --random 5 --frames 500
  [ "$status" -eq 0 ] && [[ "$out" == frames=500\ * ]] && [ -z "$err" ] &&
    [ "$out" != "${first:-}" ] || fail "$file: status $status, said: $out $err (first: ${first:-})"
  first="$out"
done

# No sound driver, or a device that will not open: the same run, only silent.
for setting in "SDL_AUDIODRIVER=no-such-driver" "SDL_AUDIODRIVER=alsa AUDIODEV=no-such-device"; do
  # shellcheck disable=SC2086
  run env $setting "$bin/lumendrift-headless" --frames 5
  [ "$status" -eq 0 ] && [ "$(tail -n 1 "$scratch/out")" = "$normal" ] ||
    fail "$setting: status $status, said: $out $err"
done

# No display: SDL fails at its start or at the video mode; one start-up line and status 1.
run env -u DISPLAY SDL_VIDEODRIVER=x11 "$bin/lumendrift"
[ "$status" -eq 1 ] && [ "$out" = "${out%%$'\n'*}" ] &&
  [[ "$out" =~ ^(Unable\ to\ init\ SDL:\ |Unable\ to\ set\ 800x600\ video:\ ).+$ ]] ||
  fail "no display: exit status $status, said: $out $err"

# The real game in a real X server, past the title screen with a real key: a sound read after the
# title is missing, then (after the signals) a level file with a NaN node (first float after the
# 16-byte header).
start_x_server "$scratch" || fail "no X server"
mv sfx/respawn.wav "$scratch/kept"
play_in_x
refused sfx/respawn.wav "missing (the game in Xvfb)"
mv "$scratch/kept" sfx/respawn.wav
# A player who started the game from a terminal ends it with Ctrl-C or kill, also while the title
# screen waits for a key (which ignores the window's close button). An exited child the shell has
# not reaped yet is a zombie: gone too.
gone() { [[ "$(ps -o stat= -p "$game_pid" 2>/dev/null || echo Z)" == Z* ]]; }
for signal in INT TERM; do
  (SDL_VIDEODRIVER=x11 exec "$bin/lumendrift" >"$scratch/out" 2>&1) &
  game_pid=$!
  wait_for_window 60 || fail "no title window: $(cat "$scratch/out")"
  kill "-$signal" "$game_pid"
  within 5 gone || fail "SIG$signal did not end the game at the title screen"
  reap
done
perl -e 'open(my $f, "+<", "foo3.lvl") or die; seek($f, 16, 0); print $f pack("L<", 0x7FC00000)'
play_in_x
refused foo3.lvl "with a NaN node (the game in Xvfb)"
[[ "$out" == "Lumen Drift cannot start: foo3.lvl: "* ]] || fail "the game said: $out"

# --- the level tool, and the generator's level sources -------------------------------------------
[[ "$("$tool" check "$real")" =~ ^ok:\ ([0-9]+)\ levels$ ]] && [ "${BASH_REMATCH[1]}" -ge 6 ] ||
  fail "check: $("$tool" check "$real")"
"$tool" dump "$real" >"$scratch/levels.json"
"$tool" build "$scratch/levels.json" "$scratch/rebuilt.lvl" >/dev/null
cmp "$real" "$scratch/rebuilt.lvl" || fail "dump then build changed the bytes"
"$tool" render "$real" 2 "$scratch/level.bmp" >/dev/null
[ "$(head -c 2 "$scratch/level.bmp")" = BM ] || fail "render wrote no bitmap"
printf '\5\0\0\0garbage' >"$scratch/junk.lvl"
printf '{"levels": [{"columns": 2, "rows": 5}]}' >"$scratch/bad.json"
printf '{"levels": [' >"$scratch/broken.json"
printf '{"levels": 3}' >"$scratch/flat.json"
printf '{"levels": [{"columns": 3, "rows": 3, "warps": [{"kind": "x"}]}]}' >"$scratch/odd.json"
printf 'old' >"$scratch/keep.lvl"
while IFS='|' read -r arguments mention; do
  # shellcheck disable=SC2086
  run "$bin/lumendrift-"$arguments && out="$out$err"
  [ "$status" -eq 1 ] && [[ "$out" == *"$mention"* ]] && [ "$out" = "${out%%$'\n'*}" ] ||
    fail "$arguments: status $status, said: $out"
done <<TABLE
level check $scratch/absent.lvl|cannot open
level check $scratch/junk.lvl|junk.lvl
level build $scratch/bad.json $scratch/keep.lvl|level 0
level build $scratch/broken.json $scratch/keep.lvl|not valid JSON
level build $scratch/flat.json $scratch/keep.lvl|"levels" array
level render $real 99 $scratch/x.bmp|99
level render $real 1 $scratch/no/x.bmp|no/x.bmp
level build $scratch/levels.json $scratch/no/x.lvl|no/x.lvl
assets $scratch/made $scratch/absent.json|absent.json: cannot open
assets $scratch/made $scratch/bad.json|bad.json: level 0: columns and rows must be at least 3
assets $scratch/made $scratch/odd.json|odd.json: level 0: unknown warp kind "x"
assets $scratch/made $scratch/broken.json|broken.json: expected an object with a "levels" array
TABLE
[ "$(cat "$scratch/keep.lvl")" = old ] || fail "a failed build changed the target"
run "$tool" --help && [ "$status" -eq 0 ] && [[ "$out" == "usage: lumendrift-level check FILE"* ]] &&
  run "$tool" --version && [ "$status" -eq 0 ] && [[ "$out" == "lumendrift-level "[0-9]* ]] ||
  fail "--help or --version: status $status, said: $out"
for arguments in "" "frobnicate x" "info" "--version x" "render $real 1" "render $real 1 x y" \
  "render $real 1 x --coarse y"; do
  # shellcheck disable=SC2086
  run "$tool" $arguments && [ "$status" -eq 2 ] || fail "'$arguments': status $status"
done
echo "broken_installs: ok"
