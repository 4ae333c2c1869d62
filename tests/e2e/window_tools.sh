# Helpers for the window tests, sourced by them: a virtual display, the
# game's 640x480 frame in a real window of any size, what a kept replay says about the pace of play,
# and colours in a screenshot.

# "X Y" in the window `$1` for the frame point X Y: the frame is scaled to
# fit, keeping its shape, centred.
frame_point() {
  local geometry
  geometry=$(xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
  awk -v g="$geometry" -v x="$2" -v y="$3" 'BEGIN {
    split(g, s, " "); w = s[1]; h = s[2]
    k = w / 640 < h / 480 ? w / 640 : h / 480
    printf "%d %d\n", (w - 640 * k) / 2 + (x + 0.5) * k, (h - 480 * k) / 2 + (y + 0.5) * k }'
}

# Clicks the frame point X Y of window `$1`.
click_frame() {
  xdotool mousemove --window "$1" $(frame_point "$1" "$2" "$3")
  sleep 0.2
  xdotool click 1
  sleep "${4:-0.5}"
}

# The frame of the first "key down CODE" line of a replay file (a moment
# "N", "N+S" or "N*P" counts as frame N).
frame_of_key() {
  awk -v code="$2" '$2 == "key" && $3 == "down" && $4 == code { sub(/[+*].*/, "", $1); print $1; exit }' "$1"
}

# Whether frames played over milliseconds make about thirty a second: 240 to
# 330 over ten seconds, wide enough for a loaded machine.
check_pace() {
  local frames=$1 ms=$2 per10
  per10=$((frames * 10000 / ms))
  echo "pace: $frames frames in $ms ms, $per10 per 10 seconds"
  [ "$per10" -ge 240 ] && [ "$per10" -le 330 ]
}

# Whether the frame rectangle X Y W H of window `$1` has a pixel of the colour
# R G B somewhere (give or take 4 a channel: the frame has 16 bits a pixel).
frame_has_colour() {
  local win=$1 p q
  p=$(frame_point "$win" "$2" "$3")
  q=$(frame_point "$win" $(($2 + $4)) $(($3 + $5)))
  set -- $p $q "$6" "$7" "$8"
  import -window "$win" -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" -depth 8 rgb:- 2>/dev/null |
    od -An -v -tu1 | awk -v r="$5" -v g="$6" -v b="$7" '
      function near(a, b) { return a - b <= 4 && b - a <= 4 }
      { for (i = 1; i <= NF; i++) {
          c[n % 3] = $i; n++
          if (n % 3 == 0 && near(c[0], r) && near(c[1], g) && near(c[2], b)) found = 1 } }
      END { exit !found }'
}

# Waits up to SECONDS (default 30) for the game of pid `$1` to end, and sets
# `status` to its exit status, or to nothing if it is still running. (Not in
# a $(...): only this shell can wait for its own child.)
await_game() {
  local i
  status=""
  for ((i = 0; i < ${2:-30} * 10; i++)); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1" && status=0 || status=$?
      return 0
    fi
    sleep 0.1
  done
}

# A fingerprint of the screen rectangle X Y W H (the root window).
region_hash() {
  import -window root -crop "$3x$4+$1+$2" -depth 8 rgb:- 2>/dev/null | md5sum
}

# Waits up to SECONDS (default 10) for the screen rectangle X Y W H to differ
# from the fingerprint HASH taken before: on a loaded machine a box or a
# panel may take a while to come up, and keys sent before it would be lost.
await_change() {
  local before=$1 i
  for ((i = 0; i < ${6:-10} * 10; i++)); do
    [ "$(region_hash "$2" "$3" "$4" "$5")" != "$before" ] && return 0
    sleep 0.1
  done
  return 1
}

# Prints the promotional window shown on quitting: a visible window named
# like the game's other than the main window `$1`, waited for up to ten
# seconds (under load the main window may still be up when it comes).
promotion_window() {
  local ad i
  for ((i = 0; i < 100; i++)); do
    ad=$(xdotool search --onlyvisible --name '^Tarnwick$' 2>/dev/null | grep -vx "$1" | head -n1 || true)
    [ -n "$ad" ] && { sleep 0.5; echo "$ad"; return 0; }
    sleep 0.1
  done
  return 1
}

# Starts a virtual display of SIZE (default the game's 640x480) on a number
# the server chooses, so parallel runs never clash; sets `xvfb_pid` and
# exports DISPLAY once the server answers. Needs `work`, a scratch folder.
start_display() {
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 "${1:-640x480}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local i
  for ((i = 0; i < 100; i++)); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(head -n1 "$work/display")
  for ((i = 0; i < 100; i++)); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
}
