#!/usr/bin/env bash
# The program before any window: --help and --version answer at once with no
# display at all, a bad command line ends with status 2, the manual page
# knows every option --help lists, and a data folder without the game's
# libraries, or a damaged replay to watch, ends the game with status 1 and
# an explanation on standard error and in the log.
#   command_line.sh TARNWICK MANUAL_PAGE
set -euo pipefail
game=$1 manual=$2
work=$(mktemp -d /tmp/tarnwick-cli.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $*"
  exit 1
}

start=$(date +%s%N)
help=$(env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER= "$game" --help) || fail "--help did not exit with 0"
took=$((($(date +%s%N) - start) / 1000000))
echo "--help took $took ms"
[ "$took" -lt 1000 ] || fail "--help took $took ms"
grep -q -- '--windowed' <<<"$help" || fail "--help lists no options"
for option in $(grep -o -- '--[a-z]\+' <<<"$help" | sort -u); do
  grep -q -- "^\.B.* \\\\-\\\\-${option#--}" "$manual" || fail "the manual page lacks $option"
done

version=$(env -u DISPLAY "$game" --version) || fail "--version did not exit with 0"
[[ $version =~ ^Tarnwick\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed '$version'"

status=0
"$game" --bogus >"$work/out" 2>"$work/err" || status=$?
[ "$status" = 2 ] || fail "--bogus ended with status $status"
grep -q 'Unknown option --bogus' "$work/err" || fail "--bogus was not named"
grep -q 'Usage: tarnwick' "$work/err" || fail "--bogus printed no usage"
[ ! -s "$work/out" ] || fail "--bogus wrote to standard output"

# No libraries: the game must explain itself and end, not show a black window.
mkdir "$work/empty"
status=0
HOME=$work SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 20 "$game" --data "$work/empty" \
  2>"$work/err" || status=$?
[ "$status" = 1 ] || fail "a folder without data ended with status $status"
grep -q "Cannot open file $work/empty/objects.dxg.*run make" "$work/err" ||
  { cat "$work/err"; fail "standard error does not name the file and say to run make"; }
grep -q " error: Cannot open file $work/empty/objects.dxg" "$work/empty/tarnwick.log" ||
  fail "the log has no line for the missing file"
# A replay to watch that is not one: named, explained, status 1, no window left.
mkdir "$work/prog"
for f in "$(dirname "$game")"/*; do
  case $(basename "$f") in *.dxg | *.dxw | lakes | ui) ln -s "$(realpath "$f")" "$work/prog/" ;; esac
done
printf 'tarnwick replay 1\nlake Cedar_Lake\n12 whistle\n' >"$work/bad.replay"
status=0
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 20 "$game" --data "$work/prog" \
  --replay "$work/bad.replay" 2>"$work/err" || status=$?
[ "$status" = 1 ] || fail "a damaged replay ended with status $status"
grep -q "Cannot watch $work/bad.replay: Replay line 3: 'whistle' is not an event" "$work/err" ||
  { cat "$work/err"; fail "standard error does not explain the damaged replay"; }
echo "command line test passed"
