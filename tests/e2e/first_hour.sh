#!/usr/bin/env bash
# A new player's first hour in a real window (Xvfb, openbox when there is
# one, xdotool for the hands, the disk audio driver for the ears): a fresh
# program folder with no settings; the help page comes once after the
# title; Cedar_Lake runs at thirty frames a second for ten seconds by its
# kept replay; P pauses for three seconds with the clock unchanged and
# "PAUSED" on the screen; M silences everything; Alt+Enter, quit and start
# again gives the same window; --replay plays the kept replay to its end.
#   first_hour.sh TARNWICK PROGRAM_FOLDER SNAPSHOT_DIR [TARNWICK_REPLAY]
set -euo pipefail
game=$1 data=$2 shots=$3 replay_tool=${4:-}
for p in Xvfb xdotool import od awk; do
  command -v "$p" >/dev/null || { echo "skipped: $p is not installed"; exit 77; }
done
. "$(dirname "$0")/window_tools.sh"

work=$(mktemp -d /tmp/tarnwick-first-hour.XXXXXX)
xvfb_pid="" wm_pid="" game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own with the generated data and nothing else: no
# settings, no window file, nothing kept.
prog=$work/prog
mkdir -p "$prog"
cp "$game" "$prog/tarnwick"
for f in "$data"/*; do
  case $(basename "$f") in tarnwick* | replays | *.ini | *.log) ;; *) ln -s "$(realpath "$f")" "$prog/" ;; esac
done
mkdir -p "$shots"
rm -f "$shots"/first-hour-*.png

# A desktop larger than the game, so full screen and a window differ.
start_display 1024x768
# Full screen over the desktop needs a window manager to make it so.
if command -v openbox >/dev/null; then
  openbox >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  sleep 0.5
fi

fail() {
  echo "FAILED: $*"
  import -window root "$shots/first-hour-failure.png" 2>/dev/null || true
  cat "$work/game.log" 2>/dev/null || true
  exit 1
}
shot() { import -window root "$shots/first-hour-$1.png"; echo "screenshot $shots/first-hour-$1.png"; }
alive() { kill -0 "$game_pid" 2>/dev/null || fail "the game ended early"; }
# Milliseconds of the clock.
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Bytes the sound output has written so far.
heard() { stat -c %s "$work/audio.raw" 2>/dev/null || echo 0; }
# Whether the sound written between two byte counts is all silence.
silent_between() {
  [ $(tail -c +$(($1 + 1)) "$work/audio.raw" | head -c $(($2 - $1)) | tr -d '\0' | wc -c) -eq 0 ]
}

start_game() {
  (cd "$prog" && ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} SDL_VIDEODRIVER=x11 \
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" exec ./tarnwick "$@" >"$work/game.log" 2>&1) &
  game_pid=$!
  win=""
  for _ in $(seq 150); do
    win=$(xdotool search --onlyvisible --name '^Tarnwick$' 2>/dev/null | head -n1) && [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || fail "no game window"
  sleep 1.5
  # The window the game settled on (a first one may come and go).
  win=$(xdotool search --onlyvisible --name '^Tarnwick$' 2>/dev/null | tail -n1)
  [ -n "$win" ] || fail "the game window went away"
}
# The help page's caption bar (menu focus colour) near the top of the frame.
help_up() { frame_has_colour "$win" 300 4 2 60 77 77 57; }
# Quit, "Ok", then "Close" on the promotional window; the status must be 0.
quit_game() {
  click_frame "$win" 543 53 1    # "Quit"
  click_frame "$win" 389 255 1.5 # "Ok": the promotional window
  local ad
  ad=$(promotion_window "$win") || fail "no promotional window"
  xdotool mousemove --window "$ad" 471 369 click 1
  local status
  await_game "$game_pid"
  [ "$status" = 0 ] || fail "the game ended with status '${status:-still running}'"
  game_pid=""
}

# ---- a new player ----
start_game
[ ! -e "$prog/tarnwick.ini" ] || fail "a settings file before Save Options"
[ -e "$prog/window.ini" ] || fail "no window.ini at the first start"
geometry_first=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p')
click_frame "$win" 330 250 1      # the title
help_up || fail "the help page did not come after the title"
shot 01-help
xdotool key Escape
sleep 0.5
help_up && fail "Esc did not close the help page"

click_frame "$win" 267 53 1       # "Fish"
click_frame "$win" 94 141 1       # Cedar_Lake, four minutes on the clock
click_frame "$win" 374 336 3      # "Fish This Lake"
alive
xdotool key F12                   # keep this tournament
# Ten seconds of play between two keys the game only notes.
xdotool key a
t0=$(now_ms)
ticks0=$(awk '{print $14 + $15}' "/proc/$game_pid/stat")
sleep 10
ticks1=$(awk '{print $14 + $15}' "/proc/$game_pid/stat")
xdotool key p
t1=$(now_ms)
echo "cpu: $((ticks1 - ticks0)) ticks of $(getconf CLK_TCK) a second over $((t1 - t0)) ms"
sleep 0.5
shot 02-paused
frame_has_colour "$win" 180 236 280 20 191 191 0 || fail "no PAUSED picture"
import -window "$win" -depth 8 rgb:"$work/paused-a.rgb"
sleep 3
import -window "$win" -depth 8 rgb:"$work/paused-b.rgb"
cmp -s "$work/paused-a.rgb" "$work/paused-b.rgb" || fail "the paused picture (and its clock) moved"
# M while paused: the note shows on the picture and the output falls silent.
xdotool key m
sleep 0.5
a=$(heard)
shot 03-muted
sleep 1.5
b=$(heard)
[ "$b" -gt "$a" ] || fail "the sound output stopped instead of playing silence"
silent_between "$a" "$b" || fail "M did not silence the game"
xdotool key m
sleep 1
c=$(heard)
sleep 1
silent_between "$c" "$(heard)" && fail "M again did not bring the sound back"
xdotool key p
sleep 0.5
alive
xdotool key Escape
sleep 0.3
xdotool key Return
for _ in $(seq 100); do ls "$prog"/replays/*.replay >/dev/null 2>&1 && break; sleep 0.1; done
kept=$(ls "$prog"/replays/*.replay 2>/dev/null | head -n1 || true)
[ -n "$kept" ] || fail "F12 kept no replay"
from=$(frame_of_key "$kept" 65) to=$(frame_of_key "$kept" 80)
[ -n "$from" ] && [ -n "$to" ] || fail "the kept replay lacks the marking keys"
check_pace $((to - from)) $((t1 - t0)) || fail "the tournament did not run at thirty frames a second"
grep -q '^[0-9]* pause [0-9]' "$kept" || fail "the pause is not in the replay"
if [ -n "$replay_tool" ]; then
  # The trace stands still over the pause: the same clock at both its ends.
  "$replay_tool" "$kept" --data "$prog" --trace TimeLeft >"$work/trace.txt" || fail "the kept replay does not play"
  paused=$(grep -m1 'timer=paused' "$work/trace.txt" | cut -f2)
  went_on=$(grep -A1 -m1 'timer=paused' "$work/trace.txt" | tail -n1 | cut -f2)
  [ -n "$paused" ] && [ "$paused" = "$went_on" ] || fail "the trace does not stand still over the pause"
  echo "trace over the pause: $paused, then $went_on"
fi

# ---- the window as it was left ----
sleep 1
xdotool key alt+Return
sleep 1.5
geometry_window=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p')
grep -q '^fullscreen=0' "$prog/window.ini" || fail "window.ini does not say the game is in a window"
quit_game
echo "full screen $geometry_first, then a window of $geometry_window"

start_game
geometry_again=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p')
[ "$geometry_again" = "$geometry_window" ] || fail "started at $geometry_again, not $geometry_window"
if [ -n "$wm_pid" ]; then
  [ "$geometry_first" != "$geometry_window" ] || fail "Alt+Enter did not leave full screen"
fi
click_frame "$win" 330 250 1
help_up && fail "the help page came again after the first start"
shot 04-second-start
quit_game
[ ! -e "$prog/tarnwick.ini" ] || fail "the settings were written without Save Options"

# ---- the kept replay in the window, Right held: four times as fast ----
start=$(now_ms)
(cd "$prog" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} \
  exec ./tarnwick --replay "$kept" >"$work/game.log" 2>&1) &
game_pid=$!
sleep 2
xdotool keydown Right
await_game "$game_pid" 60
xdotool keyup Right
[ "$status" = 0 ] || fail "--replay ended with status '${status:-still running}'"
game_pid=""
echo "--replay played to its end in $(($(now_ms) - start)) ms with status 0"
echo "first hour test passed"
