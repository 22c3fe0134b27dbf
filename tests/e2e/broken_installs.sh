#!/usr/bin/env bash
# Broken installs, as a player would meet them: every file the game reads is in turn missing,
# empty and cut off in the middle. The game either plays normally or stops with exit status 1 and
# one line on standard output naming the file; never a crash, a hang or a word on standard error.
# The headless runner carries most cases (it shares the game's set-up); the real game is run for
# the two start-up pictures (dummy video), for a file read after the title screen (in Xvfb, with a
# real key press), and without any display. Without a sound device the game plays silently.
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

# run PROGRAM ARGS…: runs it from the data copy for at most 20 s; sets status, out and err.
run() {
  set +e
  timeout 20 "$@" >"$scratch/out" 2>"$scratch/err"
  status=$?
  set -e
  out="$(cat "$scratch/out")"
  err="$(cat "$scratch/err")"
}
# refused FILE HOW: the last run stopped with status 1 and one line naming FILE, and nothing else.
refused() {
  [ "$status" -eq 1 ] || fail "$1 $2: exit status $status (124 = hung), said: $out $err"
  [ -n "$out" ] && [ "$out" = "${out%%$'\n'*}" ] || fail "$1 $2: not one line: $out"
  [[ "$out" == *"$1"* ]] || fail "$1 $2: the line does not name the file: $out"
  [ -z "$err" ] || fail "$1 $2: standard error: $err"
}
# played_or_refused FILE HOW: as refused, or a normal run to the end.
played_or_refused() {
  if [ "$status" -eq 0 ] && [[ "$out" == frames=5\ * ]] && [ -z "$err" ]; then
    echo "broken_installs: $1 $2: accepted, played normally"
    return 0
  fi
  refused "$1" "$2"
}

checked=0
for file in "${files[@]}"; do
  mv "$file" "$scratch/kept"

  run "$bin/lumendrift-headless" --frames 5
  refused "$file" missing

  : >"$file"
  run "$bin/lumendrift-headless" --frames 5
  refused "$file" empty

  head -c "$(($(stat -c %s "$scratch/kept") / 2))" "$scratch/kept" >"$file"
  run "$bin/lumendrift-headless" --frames 5
  played_or_refused "$file" "cut in half"

  mv -f "$scratch/kept" "$file"
  checked=$((checked + 1))
done
echo "broken_installs: $checked files each missing, empty and cut in half"

# The real game: the two pictures it loads before the title screen.
for file in play/front.bmp images/titlescreen.bmp; do
  mv "$file" "$scratch/kept"
  run "$bin/lumendrift"
  refused "$file" "missing (the game)"
  mv "$scratch/kept" "$file"
done

# No sound device at all, or a device that will not open: the run is the same, only silent.
run env SDL_AUDIODRIVER=no-such-driver "$bin/lumendrift-headless" --frames 5
[ "$status" -eq 0 ] && [ "$(tail -n 1 "$scratch/out")" = "$normal" ] ||
  fail "no sound driver: status $status, said: $out $err"
run env SDL_AUDIODRIVER=alsa AUDIODEV=no-such-device "$bin/lumendrift-headless" --frames 5
[ "$status" -eq 0 ] && [ "$(tail -n 1 "$scratch/out")" = "$normal" ] ||
  fail "no sound device: status $status, said: $out"

# No display: the X driver without an X server. SDL fails at its start or at the video mode;
# either way one of the game's two start-up lines and status 1.
run env -u DISPLAY SDL_VIDEODRIVER=x11 "$bin/lumendrift"
[ "$status" -eq 1 ] || fail "no display: exit status $status, said: $out $err"
[[ "$out" =~ ^(Unable\ to\ init\ SDL:\ |Unable\ to\ set\ 800x600\ video:\ ).+$ ]] ||
  fail "no display: unexpected output: $out"
echo "broken_installs: no display: $out"

# The real game in a real X server, past the title screen with a real key: a sound that is read
# after the title is missing.
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
  start_x_server "$scratch" || fail "no X server"
  mv sfx/respawn.wav "$scratch/kept"
  (SDL_VIDEODRIVER=x11 exec "$bin/lumendrift" >"$scratch/out" 2>"$scratch/err") &
  game_pid=$!
  for _ in $(seq 200); do
    xdotool search --name '^Lumen Drift$' >/dev/null 2>&1 && break
    sleep 0.1
  done
  xdotool search --name '^Lumen Drift$' >/dev/null 2>&1 || fail "no game window in Xvfb"
  xdotool mousemove 400 300 key Return
  for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  set +e
  kill -0 "$game_pid" 2>/dev/null && fail "the game still runs 10 s after a key, without sfx/respawn.wav"
  wait "$game_pid"
  status=$?
  set -e
  game_pid=""
  out="$(cat "$scratch/out")"
  err="$(cat "$scratch/err")"
  refused sfx/respawn.wav "missing (the game in Xvfb)"
  mv "$scratch/kept" sfx/respawn.wav
else
  fail "Xvfb or xdotool is missing (scripts/bootstrap installs them)"
fi
echo "broken_installs: ok"
