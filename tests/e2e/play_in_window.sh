#!/usr/bin/env bash
# Plays the real game in a virtual X display with real X input, as a new
# player with no settings file: the title, the help page, a saved game too
# poor for the second lake and its notice answered with Enter, ten seconds of
# a tournament at thirty frames a second (by the kept replay), the lake panel,
# a lake, "Fish This Lake", driving with the mouse, a cast
# with the right button, F12 to keep the replay, Esc then Enter, back to the
# menu, quit, "Ok", and "Close" on the promotional window. The game must end
# with status 0; screenshots go to SNAPSHOT_DIR, and the kept replay must
# play to its end headless.
#   play_in_window.sh TARNWICK PROGRAM_FOLDER SNAPSHOT_DIR [TARNWICK_REPLAY]
set -euo pipefail
game=$1 data=$2 shots=$3 replay=${4:-}
for p in Xvfb xdotool import; do
  command -v "$p" >/dev/null || { echo "skipped: $p is not installed"; exit 77; }
done

work=$(mktemp -d /tmp/tarnwick-e2e.XXXXXX)
xvfb_pid="" game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own: the game beside links to the generated data,
# so settings and replays it writes stay out of the build.
cp "$game" "$work/tarnwick"
for f in "$data"/*; do
  case $(basename "$f") in tarnwick | replays | tarnwick.ini | tarnwick.log | window.ini) ;; *) ln -s "$(realpath "$f")" "$work/" ;; esac
done
# No settings file: the game as a new player finds it, thirty frames a second.
. "$(dirname "$0")/window_tools.sh"
mkdir -p "$shots"
rm -f "$shots"/e2e-*.png

# A display the size of the game's screen, so window pixels are game pixels.
start_display
echo "display $DISPLAY"

# Under the sanitizers the X and SDL libraries keep memory to the end; the
# game's own code is checked for leaks by its tests.
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$work/tarnwick" >"$work/game.log" 2>&1 &
game_pid=$!

fail() {
  echo "FAILED: $*"
  import -window root "$shots/e2e-failure.png" 2>/dev/null || true
  cat "$work/game.log"
  exit 1
}
shot() { import -window root "$shots/e2e-$1.png"; echo "screenshot $shots/e2e-$1.png"; }
# Clicks at a point of the game's screen.
click() {
  xdotool mousemove --sync "$1" "$2"
  sleep 0.2
  xdotool click "${3:-1}"
  sleep "${4:-0.5}"
}
alive() { kill -0 "$game_pid" 2>/dev/null || fail "the game ended early"; }

window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Tarnwick$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no game window"
sleep 1.5
shot 01-title

click 330 250 1 1            # the title (off the centre, where the pointer starts: --sync waits for a move)
xdotool key Escape           # the help page a new player meets first
sleep 0.5
shot 02-menu

# ---- Too little money for a lake (this block stands on its own) ----
# A saved game with $5 is loaded through the player panel's load button and
# the open dialog; it selects the second lake (a $10 fee). "Fish This Lake"
# brings the notice, Enter answers it, and the game goes on below with the
# first lake, which costs nothing.
printf '[Save Data]\nName=Player\nCash=5\nLevel=2\n' >"$work/broke.sav"
dialog_area=$(region_hash 130 90 380 300)
click 236 151 1 0.2          # the load button: the open dialog
await_change "$dialog_area" 130 90 380 300 || fail "the open dialog did not come up"
xdotool type --delay 20 "$work/broke.sav"
status_line=$(region_hash 90 378 440 36)
xdotool key Return           # open it
await_change "$status_line" 90 378 440 36 || fail "the saved game did not load"
sleep 0.5
click 267 53 1 1             # "Fish": the lake panel with the second lake chosen
shot 02a-second-lake
lake_text=$(region_hash 180 195 280 90)
click 374 336 1 0.2          # "Fish This Lake": not enough money
await_change "$lake_text" 180 195 280 90 || fail "no notice came up for a lake the player cannot afford"
sleep 0.3
shot 02b-no-money
notice=$(region_hash 180 195 280 90)
xdotool key Return           # answers the notice
await_change "$notice" 180 195 280 90 || fail "Enter did not answer the notice"
sleep 0.5
alive
shot 02c-notice-answered
# Where the notice sits: it covers the lake's description, and once answered
# the panel shows there exactly as before.
notice_area() { convert "$shots/e2e-$1.png" -crop 280x90+180+195 +repage rgb:- | md5sum; }
if command -v convert >/dev/null; then
  [ "$(notice_area 02a-second-lake)" != "$(notice_area 02b-no-money)" ] ||
    fail "no notice came up for a lake the player cannot afford"
  [ "$(notice_area 02a-second-lake)" = "$(notice_area 02c-notice-answered)" ] ||
    fail "Enter did not answer the notice"
fi
# ---- end of the block ----
click 267 53 1 1             # "Fish": the lake panel
click 100 124 1 1            # the first lake of the list
shot 03-lake-panel
click 374 336 1 3            # "Fish This Lake"
alive
shot 04-tournament
# Ten seconds of play between two keys the game only notes.
xdotool key a
pace_from=$(($(date +%s%N) / 1000000))
sleep 10
xdotool key b
pace_ms=$(($(date +%s%N) / 1000000 - pace_from))

# Drive with the mouse: the boat steers towards the cursor while the left
# button is held.
xdotool mousemove --sync 560 200 mousedown 1
sleep 1
xdotool mouseup 1
shot 05-driving
sleep 1.5                    # the boat coasts to a stop
xdotool key a                # ends a sign's pop-up if the boat met one
sleep 0.3
xdotool mousemove --sync 170 300
sleep 0.3
xdotool click 3              # cast with the right button
sleep 1
shot 06-cast
xdotool key F12              # keep this tournament as a replay
sleep 0.5
alive
xdotool key Escape
sleep 0.5
shot 07-quit-prompt
xdotool key Return
# The menu comes back 60 frames later, or once a lure still out is in; the
# kept replay is written at that moment.
for _ in $(seq 300); do ls "$work"/replays/*.replay >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
alive
shot 08-back-at-menu

click 543 53 1 1             # "Quit"
shot 09-quit-box
click 389 255 1 2            # "Ok": the promotional window
alive
ad=$(promotion_window "$window") || fail "no promotional window"
shot 10-promotion
xdotool mousemove --window "$ad" --sync 471 369 click 1   # its "Close" button

await_game "$game_pid"
game_pid_done=$game_pid
game_pid=""
[ -n "$status" ] || { game_pid=$game_pid_done; fail "the game did not end after the promotional window"; }
[ "$status" = 0 ] || fail "the game ended with status $status"
echo "the game ended with status 0"

kept=$(ls "$work"/replays/*.replay 2>/dev/null | head -n1 || true)
[ -n "$kept" ] || fail "F12 kept no replay"
echo "kept $(basename "$kept"): $(grep -c '^[0-9]' "$kept") events"
check_pace $(($(frame_of_key "$kept" 66) - $(frame_of_key "$kept" 65))) "$pace_ms" ||
  fail "the tournament did not run at thirty frames a second"
if [ -n "$replay" ]; then
  "$replay" "$kept" --data "$work" || fail "the kept replay does not play"
fi
echo "window test passed"
