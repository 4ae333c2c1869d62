#!/bin/sh
# Records the golden runs again: the autopilot plays each tournament below on
# the generated lakes, its input is kept as tests/replay/golden/NAME.replay
# and its summary line goes into tests/replay/golden/expected.txt.
# Only for a change of behaviour that is meant; say why in the commit.
#   scripts/regen-golden.sh [BUILD_DIR]   (default: build)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j2 --target tarnwick-replay bake_data
replay="$build/bin/tarnwick-replay"
golden=tests/replay/golden
expected="$golden/expected.txt.new"
: >"$expected"

# name  lake  seed  cash  level  gear
while read -r name lake seed cash level gear; do
  line=$("$replay" --autopilot "$lake" --seed "$seed" --cash "$cash" --level "$level" \
    --gear "$gear" --record "$golden/$name.replay")
  printf '%s %s\n' "$name" "$line" >>"$expected"
  printf '%s %s\n' "$name" "$line"
done <<'RUNS'
minnow-pond Minnow_Pond 1 50 2 1,1,1
cedar-lake Cedar_Lake 2 190 3 1,1,1
willow-bayou Willow_Bayou 3 400 4 2,2,1
red-rock Red_Rock_Reservoir 3 1000 5 3,2,2
RUNS
mv "$expected" "$golden/expected.txt"
