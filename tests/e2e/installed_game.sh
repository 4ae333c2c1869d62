#!/usr/bin/env bash
# The game as a player gets it from `make install`: installed into a fresh
# prefix, checked by the desktop's validators, then started from another
# folder as a user who cannot write the prefix (nobody, with a home of its
# own) in a virtual X display. That player plays a lake a friend sent
# (copied into their own lakes folder), keeps the replay with F12, saves
# the options and a game, quits, starts again, and finds the options and
# the saved game where they left them. Everything the player wrote must lie
# under that home's XDG folders, nothing under the prefix may change, no
# error may reach the log, and the kept replay must play headless as the
# same user.
#   installed_game.sh BUILD_DIR SNAPSHOT_DIR
set -euo pipefail
. "$(dirname "$0")/window_tools.sh"
build=$1 shots=$2
skip() { echo "skipped: $*"; exit 77; }
[ "$(id -u)" = 0 ] || skip "switching to another user needs root"
for p in Xvfb xdotool import setpriv desktop-file-validate appstreamcli; do
  command -v "$p" >/dev/null || skip "$p is not installed"
done
id nobody >/dev/null 2>&1 || skip "there is no user nobody"

work=$(mktemp -d /tmp/tarnwick-installed.XXXXXX)
chmod 755 "$work"
xvfb_pid="" game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*"
  import -window root "$shots/installed-failure.png" 2>/dev/null || true
  cat "$work/game.log" 2>/dev/null || true
  exit 1
}

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
desktop-file-validate "$prefix/share/applications/tarnwick.desktop" || fail "desktop entry"
desktop-file-validate "$prefix/share/applications/tarnwick-edit.desktop" || fail "editor's desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/tarnwick.metainfo.xml" || fail "metainfo"
for size in 32 64 128 256; do
  [ -s "$prefix/share/icons/hicolor/${size}x$size/apps/tarnwick.png" ] || fail "no $size icon"
done
grep -q '^\.B \\-\\-windowed' "$prefix/share/man/man6/tarnwick.6" || fail "manual page"
prefix_before=$(cd "$prefix" && find . -printf '%p %s %T@\n' | sort)

home=$work/home
mkdir -p "$home/.local/share/tarnwick/lakes" "$work/elsewhere"
# A lake sent by a friend: a copy of the first lake under a name of its own.
for ext in ini iso bmp; do
  cp "$prefix/share/tarnwick/lakes/Minnow_Pond.$ext" "$home/.local/share/tarnwick/lakes/My_Pond.$ext"
done
sed -i 's/^Description=.*/Description=A pond a friend sent/' "$home/.local/share/tarnwick/lakes/My_Pond.ini"
chown -R nobody:nogroup "$home"
chmod 777 "$work/elsewhere"
mkdir -p "$shots"
rm -f "$shots"/installed-*.png

start_display
display=$DISPLAY

# As nobody, from a folder of its own, with nothing of root's environment.
as_player() {
  (cd "$work/elsewhere" && setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -i HOME="$home" PATH=/usr/bin:/bin DISPLAY="$display" SDL_VIDEODRIVER=x11 \
    SDL_AUDIODRIVER=dummy ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} "$@")
}
start_game() {
  as_player "$prefix/bin/tarnwick" >>"$work/game.log" 2>&1 &
  game_pid=$!
  window=""
  for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --name '^Tarnwick$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "no game window"
  sleep 1.5
}
shot() { import -window root "$shots/installed-$1.png"; echo "screenshot $shots/installed-$1.png"; }
click() {
  xdotool mousemove --sync "$1" "$2"
  sleep 0.2
  xdotool click 1
  sleep "${3:-0.5}"
}
alive() { kill -0 "$game_pid" 2>/dev/null || fail "the game ended early"; }
# Quit, "Ok", then "Close" on the promotional window; the game must end with 0.
quit_game() {
  click 543 53 1
  click 389 255 2
  ad=$(promotion_window "$window") || fail "no promotional window"
  xdotool mousemove --window "$ad" --sync 471 369 click 1
  await_game "$game_pid"
  [ "$status" = 0 ] || fail "the game ended with status '${status}'"
  game_pid=""
}
config=$home/.config/tarnwick share=$home/.local/share/tarnwick state=$home/.local/state/tarnwick

# ---- the first start ----
start_game
shot 01-title
click 330 250 1              # the title (off the centre, where the pointer starts: --sync waits for a move)
xdotool key Escape           # the help page a new player meets first
sleep 0.5
click 267 53 1               # "Fish": the lake panel
click 100 157 1              # the third lake: the friend's, after the game's two
shot 02-friends-lake
click 374 336 3              # "Fish This Lake"
alive
xdotool key F12              # keep this tournament as a replay
sleep 0.3
xdotool key Escape
sleep 0.3
xdotool key Return
for _ in $(seq 300); do ls "$share"/replays/*.replay >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
alive

click 170 53 1               # "Options"
click 330 172                # "Key Drive"
click 508 244                # "Save Options"
click 83 53 1                # "Player"
click 128 151                # the name field
xdotool key End shift+Home
xdotool type Nobody
click 209 151 1              # the save button: the dialog starts in the saves folder
shot 03-save-dialog
xdotool key Return
sleep 0.5
alive
quit_game

ls "$share"/saves/Nobody.sav >/dev/null 2>&1 || fail "no saved game in $share/saves"
grep -qx 'keydrive=1' "$config/tarnwick.ini" || fail "the options were not saved in $config"
kept=$(ls "$share"/replays/*.replay 2>/dev/null | head -n1 || true)
[ -n "$kept" ] || fail "F12 kept no replay in $share/replays"
grep -q '^lake My_Pond' "$kept" || fail "the tournament was not on the friend's lake"

# ---- the second start: the same options and the saved game ----
saved_at=$(stat -c %Y "$share/saves/Nobody.sav")
sleep 1
start_game
click 330 250 1
click 170 53 1               # "Options", untouched
click 508 244                # "Save Options" writes what was loaded
grep -qx 'keydrive=1' "$config/tarnwick.ini" || fail "the options were not loaded again"
click 83 53 1                # "Player"
click 236 151 1              # the load button
xdotool type Nobody.sav
xdotool key Return
sleep 0.5
shot 04-loaded
click 209 151 1              # save again: the name proposed is the loaded one
xdotool key Return
sleep 0.5
alive
quit_game
[ ! -e "$share/saves/Player.sav" ] || fail "the saved game was not loaded (saved as Player.sav)"
[ "$(stat -c %Y "$share/saves/Nobody.sav")" -gt "$saved_at" ] || fail "the loaded game was not saved again"

# ---- what the player's files look like, and what they did not touch ----
as_player "$prefix/bin/tarnwick-replay" "$kept" || fail "the kept replay does not play"
if grep -q ' error: ' "$state/tarnwick.log"; then
  grep ' error: ' "$state/tarnwick.log"
  fail "an error box appeared"
fi
prefix_after=$(cd "$prefix" && find . -printf '%p %s %T@\n' | sort)
[ "$prefix_before" = "$prefix_after" ] || fail "the installed files changed"
echo "the player's files:"
(cd "$home" && find . -type f | sort)
echo "installed game test passed"
