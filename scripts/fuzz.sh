#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the address and
# undefined-behaviour sanitizers, then runs each for a while on its corpus.
# Usage: scripts/fuzz.sh [BUILD_DIR] [SECONDS]   (defaults: build-fuzz 60)
# Fails when any target finds a crash, a leak, a hang or a sanitizer report;
# the input is left in BUILD_DIR/findings/<target>/ to become a regression
# file in fuzz/regressions/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build-fuzz}
seconds=${2:-60}
targets=(container picture wave map ini lake savegame)

# Warnings are the ordinary build's business; here only findings fail.
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARNWICK_FUZZ=ON -DTARNWICK_SANITIZE=ON -DTARNWICK_TESTS=OFF -DTARNWICK_WERROR=OFF >/dev/null
cmake --build "$build" -j "${JOBS:-2}" --target "${targets[@]/#/fuzz-}"

# The generated data (build/bin) holds real libraries, maps and lake files;
# files up to this size join the seeds of their reader.
data=${TARNWICK_DATA:-build/bin}
seed_limit=65536
seed_from_data() {  # target, file patterns...
  local target=$1 pattern file
  shift
  [ -d "$data" ] || return 0
  for pattern in "$@"; do
    for file in "$data"/$pattern; do
      [ -f "$file" ] || continue
      [ "$(stat -c %s "$file")" -le "$seed_limit" ] || continue
      cp "$file" "$build/corpus/$target/"
    done
  done
}

failed=()
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t" "$build/findings/$t"
  cp "$root"/fuzz/corpus/"$t"/* "$build/corpus/$t/" 2>/dev/null || true
  cp "$root"/fuzz/regressions/"$t"/* "$build/corpus/$t/" 2>/dev/null || true
  case $t in
    container) seed_from_data "$t" '*.dxg' '*.dxw' ;;
    picture) seed_from_data "$t" 'lakes/*.bmp' 'ui/*.bmp' ;;
    map) seed_from_data "$t" 'lakes/*.iso' ;;
    ini) seed_from_data "$t" '*.ini' 'lakes/*.ini' 'ui/*.ini' ;;
    lake) seed_from_data "$t" 'lakes/*.ini' ;;
  esac
  echo "== fuzz-$t for ${seconds}s"
  # -rss_limit_mb bounds what a reader may allocate for one input: larger
  # than the biggest picture the readers accept, far below the machine.
  if ! (cd "$build/findings/$t" && "$root/$build/bin/fuzz-$t" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$root/$build/findings/$t/" "$root/$build/corpus/$t" \
        >"$root/$build/findings/$t.log" 2>&1); then
    failed+=("$t")
    tail -n 40 "$build/findings/$t.log"
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|cov: ' "$build/findings/$t.log" | tail -n 3 || true
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $build/findings/)"
  exit 1
fi
echo "fuzzing found nothing in ${#targets[@]} readers"
