#!/usr/bin/env bash
# The lake editor in a virtual X display with real X input: Minnow_Pond
# opened, a stroke of land painted, a sign placed beside the boat's start
# and its text typed, F5 to test-play, the boat driven onto the sign until
# its pop-up shows the text, Esc then Enter back to the editor, Ctrl+S. The
# saved map must hold the sign; screenshots go to SNAPSHOT_DIR.
#   edit_in_window.sh TARNWICK_EDIT PROGRAM_FOLDER SNAPSHOT_DIR
set -euo pipefail
editor=$1 data=$2 shots=$3
for p in Xvfb xdotool import convert; do
  command -v "$p" >/dev/null || { echo "skipped: $p is not installed"; exit 77; }
done

. "$(dirname "$0")/window_tools.sh"
work=$(mktemp -d /tmp/tarnwick-edit-e2e.XXXXXX)
xvfb_pid="" editor_pid=""
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own, with a copy of the lakes the editor saves into.
cp "$editor" "$work/tarnwick-edit"
for f in "$data"/*; do
  case $(basename "$f") in tarnwick* | lakes | replays | window.ini) ;; *) ln -s "$(realpath "$f")" "$work/" ;; esac
done
cp -r "$data/lakes" "$work/lakes"
printf '[Tarnwick]\nspeed=0\nsoundon=0\nmousedrive=1\n' >"$work/tarnwick.ini"
mkdir -p "$shots"
rm -f "$shots"/edit-*.png

start_display

ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
  "$work/tarnwick-edit" Minnow_Pond >"$work/editor.log" 2>&1 &
editor_pid=$!

fail() {
  echo "FAILED: $*"
  import -window root "$shots/edit-failure.png" 2>/dev/null || true
  cat "$work/editor.log"
  exit 1
}
shot() { import -window root "$shots/edit-$1.png"; echo "screenshot $shots/edit-$1.png"; }
click() {
  xdotool mousemove --sync "$1" "$2"
  sleep 0.2
  xdotool click 1
  sleep "${3:-0.4}"
}
# The colour at a point of the screen, as "R G B".
colour() {
  convert "$shots/edit-$1.png" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}
alive() { kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended early"; }

window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name 'lake editor' 2>/dev/null | head -n1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no editor window"
sleep 1
shot 01-opened

# A stroke of land with the 1-cell brush at the lower right of the view.
xdotool key l key 1
xdotool mousemove --sync 380 330 mousedown 1
sleep 0.1
xdotool mousemove --sync 400 345 mousemove --sync 420 360
sleep 0.1
xdotool mouseup 1
sleep 0.3
shot 02-painted

# A sign one cell right of the boat's start (the view is centred on it).
xdotool key o
sleep 0.2
click 520 178           # "Sign" in the kinds list
click 302 252 0.8       # the cell right of the start
xdotool type --delay 15 "HELLO FROM THE EDITOR. THIS SIGN WAS PLACED A MOMENT AGO."
sleep 0.4
shot 03-sign-text
xdotool key Return
sleep 0.4
alive

# Test-play: drive onto the sign and look at its pop-up.
xdotool key F5
sleep 2
shot 04-test-play
xdotool mousemove --sync 345 210 mousedown 1
sleep 2.5
xdotool mouseup 1
sleep 0.5
shot 05-sign-in-play
read -r r g b <<<"$(colour 05-sign-in-play 340 140)"
[ "$r" -gt 200 ] && [ "$g" -gt 180 ] && [ "$b" -gt 140 ] || fail "no sign board in play ($r $g $b)"
xdotool key space
sleep 0.4
xdotool key Escape
sleep 0.3
xdotool key Return
sleep 4
alive
shot 06-back-in-editor
read -r r g b <<<"$(colour 06-back-in-editor 300 470)"
[ "$r" -lt 60 ] && [ "$b" -lt 60 ] || fail "the editor did not come back ($r $g $b)"

xdotool key ctrl+s
sleep 0.5
shot 07-saved
grep -q "HELLO FROM THE EDITOR" "$work/lakes/Minnow_Pond.iso" || fail "the saved map lacks the sign"
xdotool key ctrl+q 2>/dev/null || true
kill "$editor_pid" 2>/dev/null || true
wait "$editor_pid" 2>/dev/null || true
editor_pid=""
echo "the editor made, test-played and saved the sign"
