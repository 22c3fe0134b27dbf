#!/usr/bin/env bash
# Broken installs, as a player would meet them: every file the game reads is in turn missing,
# empty and cut off in the middle. The game either plays normally or stops with exit status 1 and
# one line on standard output naming the file; never a crash, a hang or a word on standard error.
# The headless runner carries most cases (it shares the game's set-up); the real game is run for
# the two start-up pictures, without any display, and in Xvfb past the title screen with a real
# key for a missing sound and a hostile level file. Without a sound device the game is silent.
# Ctrl-C and kill end the game at its title screen.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}"
data="${LUMEN_DATA_DIR:?}"
# shellcheck source=tests/e2e/e2e.bash
source "${LUMEN_SOURCE_DIR:?}/tests/e2e/e2e.bash"
e2e_begin broken_installs
require_built "$bin/lumendrift-headless" "$bin/lumendrift" "$data/foo3.lvl"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
cp -r "$data" "$scratch/data"
cd "$scratch/data"
# The editor's font is no file of the game's.
mapfile -t files < <(find . -type f ! -path ./images/editorfont.bmp | sed 's|^\./||' | sort)
[ "${#files[@]}" -ge 90 ] || fail "only ${#files[@]} files in the data folder"
normal="$("$bin/lumendrift-headless" --frames 5)" || fail "the intact data folder does not play"

for file in "${files[@]}"; do
  mv "$file" "$scratch/kept"
  run "$bin/lumendrift-headless" --frames 5
  refused "$file" missing
  : >"$file"
  run "$bin/lumendrift-headless" --frames 5
  refused "$file" empty
  head -c "$(($(stat -c %s "$scratch/kept") / 2))" "$scratch/kept" >"$file"
  run "$bin/lumendrift-headless" --frames 5
  [ "$status" -eq 0 ] && [[ "$out" == frames=5\ * ]] && [ -z "$err" ] || refused "$file" "cut in half"
  mv -f "$scratch/kept" "$file"
done
for file in play/front.bmp images/titlescreen.bmp; do # loaded by the game before the title
  mv "$file" "$scratch/kept"
  run "$bin/lumendrift"
  refused "$file" "missing (the game)"
  mv "$scratch/kept" "$file"
done
echo "broken_installs: ${#files[@]} files each missing, empty and cut in half"

# No sound driver, or a device that will not open: the same run, only silent.
for setting in "SDL_AUDIODRIVER=no-such-driver" "SDL_AUDIODRIVER=alsa AUDIODEV=no-such-device"; do
  # shellcheck disable=SC2086
  run env $setting "$bin/lumendrift-headless" --frames 5
  [ "$status" -eq 0 ] && [ "$(tail -n 1 "$scratch/out")" = "$normal" ] ||
    fail "$setting: status $status, said: $out $err"
done

# No display: SDL fails at its start or at the video mode; one start-up line and status 1.
run env -u DISPLAY SDL_VIDEODRIVER=x11 "$bin/lumendrift"
[ "$status" -eq 1 ] && [[ "$out" =~ ^(Unable\ to\ init\ SDL:\ |Unable\ to\ set\ 800x600\ video:\ ).+$ ]] ||
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
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
done
perl -e 'open(my $f, "+<", "foo3.lvl") or die; seek($f, 16, 0); print $f pack("L<", 0x7FC00000)'
play_in_x
refused foo3.lvl "with a NaN node (the game in Xvfb)"
[[ "$out" == "Lumen Drift cannot start: foo3.lvl: "* ]] || fail "the game said: $out"
echo "broken_installs: ok"
