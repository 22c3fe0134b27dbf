#!/usr/bin/env bash
# The real game in a real X server, played and watched from outside as a player would see it:
# Xvfb gives it a display, xdotool presses and holds real keys, xprop reads the window's caption
# and icon name, and ImageMagick takes and reads screenshots.
set -euo pipefail
bin="${LUMEN_BIN_DIR:?}" data="${LUMEN_DATA_DIR:?}"
# shellcheck source=tests/e2e/e2e.bash
source "${LUMEN_SOURCE_DIR:?}/tests/e2e/e2e.bash"
e2e_begin real_window
require_built "$bin/lumendrift" "$bin/x-close-request" "$data/foo3.lvl"

start_x_server "$scratch" || fail "no X server"

# --- helpers that look at the window and the screen from outside -------------------------------
property() { # WM_NAME or WM_ICON_NAME of the game's window, without quotes
  xprop -id "$window" -notype "$1" 2>/dev/null | sed -n 's/^[A-Z_]* = "\(.*\)"$/\1/p'
}
caption_is() { [ "$(property WM_NAME)" = "$1" ] && [ "$(property WM_ICON_NAME)" = "$2" ]; }
screenshot() { # the 800 × 600 window area as a new PNG file; prints its path
  local file
  file="$(mktemp -p "$scratch" --suffix=.png shot.XXXXXX)" &&
    import -window root -crop 800x600+0+0 +repage "$file" && echo "$file"
}
count_colour() { # FILE GEOMETRY #RRGGBB: how many pixels of the area have exactly this colour
  convert "$1" -crop "$2" +repage -alpha off -format %c histogram:info:- |
    awk -v c="$3" 'toupper($3) == c { n += $1 } END { print n + 0 }'
}
# The play area above the panel's top edge (it starts at y = 415, keyed at its top).
play_area=800x415+0+0
white_line_share() { # the largest share of pure white in one column or one row of the play area
  for size in 800x1 1x415; do
    convert "$1" -crop $play_area +repage -alpha off -fill black +opaque white -scale "$size!" \
      -format '%[fx:maxima]\n' info:
  done | sort -g | tail -n 1
}
grid_rows() { # for each row of the play area, the share of pure green pixels, one per line
  convert "$1" -crop $play_area +repage -alpha off -fill black +opaque '#00FF00' \
    -scale 1x415! -depth 16 txt:- | awk -F'[(,)]' 'NR > 1 { print $4 }'
}
moved_rows() { # how many rows of the green grid differ noticeably between two screenshots
  paste <(grid_rows "$1") <(grid_rows "$2") |
    awk '{ d = $1 - $2; if (d < 0) d = -d; if (d > 3000) n++ } END { print n + 0 }'
}
same_as_image() { # FILE GEOMETRY-ON-SCREEN IMAGE GEOMETRY-IN-IMAGE: no pixel differs
  local a="$scratch/a.ppm" b="$scratch/b.ppm"
  convert "$1" -crop "$2" +repage -alpha off "$a"
  convert "$3" -crop "$4" +repage -alpha off "$b"
  [ "$(compare -metric AE "$a" "$b" null: 2>&1)" = "0" ]
}

# --- the title screen ----------------------------------------------------------------------------
(cd "$data" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec "$bin/lumendrift" >"$scratch/game.out" 2>&1) &
game_pid=$!
wait_for_window 60 || fail "no window named \"Lumen Drift\" appeared within 60 s"
within 5 caption_is "Lumen Drift" "what" ||
  fail "title caption \"$(property WM_NAME)\" / \"$(property WM_ICON_NAME)\", not \"Lumen Drift\" / \"what\""
title_shown() { same_as_image "$(screenshot)" 800x600+0+0 "$data/images/titlescreen.bmp" 800x600+0+0; }
within 5 title_shown || fail "the window does not show images/titlescreen.bmp"

# Mouse clicks and a close request do not leave the title screen: the key pressed after them
# reaches a game that handled them first and still runs.
xdotool mousemove --sync 400 300 click 1 click 3 click 1
"$bin/x-close-request" "$window" || fail "could not send the close request"
caption_is "Lumen Drift" "what" || fail "the title caption changed without a key: $(property WM_NAME)"
title_shown || fail "the title screen changed without a key"

# --- a key starts the game -----------------------------------------------------------------------
xdotool key Return
within 10 caption_is " health:100 Kills: 0" "foo" ||
  fail "play caption \"$(property WM_NAME)\" / \"$(property WM_ICON_NAME)\", not \" health:100 Kills: 0\" / \"foo\""
ended && fail "the game ended on the title screen after clicks and a close request"

# The first frames, before the enemies come (about a second): hold Space and look for the simple
# shot's opaque colour, read from its own picture, on the screen.
shot_colour="$(convert "$data/images/simpleshot.bmp" txt:- |
  awk 'NR > 1 && $2 ~ /,255\)$/ { print toupper(substr($3, 1, 7)) }' | sort | uniq -c | sort -rn |
  awk 'NR == 1 { print $2 }')"
[ -n "$shot_colour" ] || fail "images/simpleshot.bmp has no opaque pixel"
[ "$(count_colour "$(screenshot)" 800x490+0+0 "$shot_colour")" -eq 0 ] ||
  fail "shot colour $shot_colour on screen before any shot was fired"
xdotool keydown space
shots_on_screen() { [ "$(count_colour "$(screenshot)" 800x490+0+0 "$shot_colour")" -ge 4 ]; }
shots=0
within 2 shots_on_screen || shots=$?
xdotool keyup space
[ "$shots" -eq 0 ] || fail "no shot ($shot_colour) on screen while Space is held"

# The play screen: the green grid, a white rim line and the HUD panel (its left corner, where no
# gauge is drawn, equals play/front.bmp's, since the panel is blitted at y = 415).
play_screen() {
  local file
  file="$(screenshot)" && [ "$(count_colour "$file" $play_area '#00FF00')" -ge 3000 ] &&
    awk -v s="$(white_line_share "$file")" 'BEGIN { exit !(s >= 0.5) }' &&
    same_as_image "$file" 90x60+0+540 "$data/play/front.bmp" 90x60+0+125
}
within 3 play_screen || fail "no green grid, white rim line or HUD panel on the play screen"

# Holding Up thrusts: the ship drifts off and the Camera follows, so the grid moves on screen.
before="$(screenshot)"
view_moved() { moved="$(moved_rows "$before" "$(screenshot)")" && [ "$moved" -ge 5 ]; }
xdotool keydown Up
within 5 view_moved || { xdotool keyup Up; fail "the view did not move while Up was held ($moved grid rows changed)"; }
xdotool keyup Up
[ "$(property WM_ICON_NAME)" = "foo" ] || fail "icon name during play: $(property WM_ICON_NAME)"
echo "real_window: $moved grid rows moved while Up was held"

# --- a close request during play ends the program promptly, status 0 --------------------------
ended && fail "the game ended during play without a close request"
"$bin/x-close-request" "$window" || fail "could not send the close request during play"
within 5 ended || fail "the game still runs 5 s after the close request"  # ASan ends slowly
reap
[ "$status" -eq 0 ] || fail "the game ended with status $status after the close request"
if grep -q "cannot start" "$scratch/game.out"; then fail "the game reported a start-up failure"; fi
echo "real_window: ok ($(ls "$scratch" | grep -c '^shot') screenshots)"
