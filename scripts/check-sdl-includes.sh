#!/usr/bin/env bash
# Only the SDL platform layer and the program entry may include SDL: the rest
# of the game runs headless.
cd "$(dirname "$0")/.." || exit 1
bad=$(grep -rlE '#include\s*[<"]SDL' src tools tests bench fuzz 2>/dev/null \
  | grep -vE '^src/platform/sdl/|^src/app/main\.cpp$|^bench/|^tests/platform/' || true)
if [ -n "$bad" ]; then
  echo "SDL is included outside the platform layer:" >&2
  echo "$bad" >&2
  exit 1
fi
