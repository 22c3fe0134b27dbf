#!/usr/bin/env bash
# The Debian package as a player meets it; run by scripts/test, not ctest (it builds the release
# package once, outside the sanitizer build). scripts/package builds it and fails on lintian
# errors; this unpacks it with dpkg -x (never installs it) and plays it from an unrelated folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=tests/e2e/e2e.bash
source "$root/tests/e2e/e2e.bash"
e2e_begin package
deb="$("$root/scripts/package" | tail -n 1)" || fail "scripts/package failed"

# --- what the package holds ------------------------------------------------------------------------
dpkg-deb -c "$deb" | awk '{ print substr($6, 2) }' >"$scratch/list"
outside="$(grep -v -e '^/usr/' -e '^/$' "$scratch/list" || true)"
[ -z "$outside" ] || fail "files outside /usr: $outside"
editor=lumendrift-editor
for file in /usr/games/lumendrift{,-level,-editor} /usr/lib/games/lumendrift/lumendrift{,-editor} \
  /usr/share/man/man6/lumendrift{,-level,-editor}.6.gz /usr/share/doc/lumendrift/copyright \
  /usr/share/applications/lumendrift{,-editor}.desktop /usr/share/doc/lumendrift/changelog.gz; do
  grep -qx "$file" "$scratch/list" || fail "no $file in the package"
done
unpacked="$scratch/unpacked"
dpkg -x "$deb" "$unpacked"
data="$unpacked/usr/share/games/lumendrift"
diff -r "$root/build/data" "$data" >/dev/null || fail "the packaged data folder differs from build/data"
for size in 48 128 256; do
  file -b "$unpacked/usr/share/icons/hicolor/${size}x$size/apps/lumendrift.png" |
    grep -q "^PNG image data, $size x $size," || fail "no $size-pixel PNG icon"
done
for entry in "$unpacked"/usr/share/applications/*.desktop; do
  desktop-file-validate --no-hints "$entry" || fail "bad desktop entry $entry"
done
[[ "$("$unpacked/usr/games/lumendrift-level" check "$data/foo3.lvl")" == "ok: "*" levels" ]] ||
  fail "the packaged level tool does not check the packaged levels"

# --- what Debian asks of a package -----------------------------------------------------------------
# Control-flow marks are not asked for: Debian 12's C library start files carry none, so no program
# linked with them can have them.
for program in lib/games/lumendrift/lumendrift games/lumendrift-level ${editor:+lib/games/lumendrift/$editor}; do
  hardening-check --nocfprotection "$unpacked/usr/$program" >"$scratch/hardening" ||
    fail "$program is not hardened: $(grep -v ': yes' "$scratch/hardening")"
done
metainfo="$(grep '^/usr/share/metainfo/.*\.metainfo\.xml$' "$scratch/list")" || fail "no AppStream metainfo"
appstreamcli validate --no-net "$unpacked$metainfo" >"$scratch/appstream" ||
  fail "the metainfo is not valid: $(cat "$scratch/appstream")"
launched="$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$unpacked$metainfo")"
[ -f "$unpacked/usr/share/applications/$launched" ] || fail "the metainfo launches '$launched', not in the package"
for shot in $(grep -o 'screenshots/[a-z]*\.png' "$unpacked$metainfo"); do
  file -b "$root/docs/$shot" | grep -q '^PNG image data, 800 x 600,' || fail "no 800 x 600 docs/$shot"
done
# Each command answers --help with its manual page's synopsis and --version with the package's
# version on standard output, and a wrong argument with the same usage on standard error.
version="$(dpkg-deb -f "$deb" Version)"
export XDG_DATA_HOME="$scratch/xdg-options"
for program in lumendrift lumendrift-level $editor; do
  synopsis="$(LC_ALL=C MANWIDTH=300 man -l "$unpacked/usr/share/man/man6/$program.6.gz" 2>/dev/null |
    sed -n '/^SYNOPSIS/,/^[A-Z]/s/^  *//p')"
  run "$unpacked/usr/games/$program" --help
  usage="$(sed 's/^usage: //; s/^  *//' <<<"$out")"
  [ "$status" -eq 0 ] && [ -z "$err" ] && [ "$usage" = "$synopsis" ] ||
    fail "$program --help: status $status, said: $out$err (the manual page: $synopsis)"
  run "$unpacked/usr/games/$program" --version
  [ "$status" -eq 0 ] && [ "$out" = "$program $version" ] && [ -z "$err" ] ||
    fail "$program --version: status $status, said: $out$err"
  run "$unpacked/usr/games/$program" --frobnicate
  [ "$status" -eq 2 ] && [ -z "$out" ] && [ "$(sed 's/^usage: //; s/^  *//' <<<"$err")" = "$synopsis" ] ||
    fail "$program --frobnicate: status $status, said: $out$err"
done
# Without a display the window programs stop at once with one line, rather than drawing as text
# art in the terminal.
for program in lumendrift $editor; do
  run env -u DISPLAY -u SDL_VIDEODRIVER TERM=xterm timeout 5 "$unpacked/usr/games/$program"
  refused DISPLAY "unset, $program"
done
unset XDG_DATA_HOME

# --- the unpacked launcher plays from an unrelated folder ------------------------------------------
mkdir "$scratch/elsewhere"
cd "$scratch/elsewhere"
start_x_server "$scratch" || fail "no X server"
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$unpacked/usr/games/lumendrift" >"$scratch/game.out" 2>&1 &
game_pid=$!
wait_for_window 20 || fail "no title window; the game said: $(cat "$scratch/game.out")"
xdotool mousemove 400 300
# Return until the caption shows play, for up to 10 s.
playing() { xdotool key Return; xprop -id "$window" WM_NAME | grep -q '" health:100 Kills: 0"$'; }
within 10 playing || fail "a key did not start play; the game said: $(cat "$scratch/game.out")"
stop_program "$game_pid"
game_pid=""

# --- the editor launcher keeps the user's own copy of the levels -----------------------------------
export XDG_DATA_HOME="$scratch/xdg" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
copy="$XDG_DATA_HOME/lumendrift/foo3.lvl"
: >../empty.script
timeout 20 "$unpacked/usr/games/lumendrift-editor" --script ../empty.script ||
  fail "the editor did not open a first copy of the levels"
cmp "$copy" "$data/foo3.lvl" || fail "the user's copy differs from the shipped levels"
echo "not levels" >"$copy"
status=0
out="$(timeout 20 "$unpacked/usr/games/lumendrift-editor" --script ../empty.script 2>&1)" || status=$?
{ [ "$status" -eq 1 ] && [[ "$out" == *"$copy"* ]]; } || fail "the editor did not open the user's copy: $out"
[ "$(cat "$copy")" = "not levels" ] || fail "the user's copy was replaced"
printf 'key ctrl+s\nshot shot.bmp\n' >../save.script
timeout 20 "$unpacked/usr/games/lumendrift-editor" --script ../save.script new.lvl ||
  fail "the editor could not save a named new file"
[ -s new.lvl ] && [ -s shot.bmp ] || fail "a file named from the starting folder was not saved there"
cmp "$data/foo3.lvl" "$root/build/data/foo3.lvl" || fail "the shipped levels changed"
