#!/usr/bin/env bash
# Each library under src/ includes only its own headers and those of the
# libraries its CMakeLists.txt links (directly or through them), so the
# declared layering is the real one and no cycle creeps in unseen.
cd "$(dirname "$0")/.." || exit 1

declare -A deps
# tarnwick_module(NAME DEPS a b ... [LIBS ..] [TEST_LIBS ..])
while read -r line; do
  words=($line)
  name=${words[0]}
  list=""
  in=0
  for w in "${words[@]:1}"; do
    case $w in
      DEPS) in=1 ;;
      LIBS | TEST_LIBS) in=0 ;;
      *) [ $in -eq 1 ] && list="$list $w" ;;
    esac
  done
  deps[$name]=$list
done < <(cat src/*/CMakeLists.txt | tr '\n' ' ' | grep -oE 'tarnwick_module\([^)]*\)' |
  sed -E 's/tarnwick_module\(//; s/\)//')
# Libraries declared by hand: target_link_libraries(tw_NAME PUBLIC tw_a ...)
while read -r name list; do
  deps[$name]="${deps[$name]:-} $list"
done < <(cat src/*/CMakeLists.txt | tr '\n' ' ' |
  grep -oE 'target_link_libraries\(tw_[a-z_]+ PUBLIC [^)]*\)' |
  sed -E 's/target_link_libraries\(tw_([a-z_]+) PUBLIC/\1/; s/\)//; s/\$\{app_deps\}//' |
  sed -E 's/ [^ ]*::[^ ]*//g; s/ tw_/ /g')
app=$(grep -oE 'set\(app_deps[^)]*\)' src/app/CMakeLists.txt | sed -E 's/set\(app_deps//; s/\)//; s/tw_//g')
deps[app]="$app"

# The library a header belongs to, from its path under src/.
library_of() {
  case $1 in
    media/png/*) echo media_png ;;
    platform/headless/*) echo platform_headless ;;
    platform/sdl/*) echo platform_sdl ;;
    *) echo "${1%%/*}" ;;
  esac
}

# Everything a library may include: itself and what it links, transitively.
reach() {
  local todo=("$1") seen=" $1 " d
  while [ ${#todo[@]} -gt 0 ]; do
    local cur=${todo[0]}
    todo=("${todo[@]:1}")
    for d in ${deps[$cur]:-}; do
      case $seen in *" $d "*) ;; *)
        seen="$seen$d "
        todo+=("$d")
        ;;
      esac
    done
  done
  echo "$seen"
}

declare -A allowed_of
status=0
for f in $(find src -name '*.h' -o -name '*.cpp' | sort); do
  lib=$(library_of "${f#src/}")
  # A program's entry (src/NAME/main.cpp) also starts the SDL platform.
  case ${f#src/} in */main.cpp) lib=$lib+main ;; esac
  if [ -z "${allowed_of[$lib]:-}" ]; then
    if [ "${lib%+main}" != "$lib" ]; then
      allowed_of[$lib]="$(reach "${lib%+main}") $(reach platform_sdl) "
    else
      allowed_of[$lib]=$(reach "$lib")
    fi
  fi
  allowed=${allowed_of[$lib]}
  while read -r inc; do
    [ -f "src/$inc" ] || continue
    owner=$(library_of "$inc")
    case $allowed in *" $owner "*) ;; *)
      echo "$f includes $inc, but $lib does not link $owner" >&2
      status=1
      ;;
    esac
  done < <(grep -oE '^#include "[^"]+"' "$f" | sed -E 's/#include "//; s/"$//')
done
[ $status -eq 0 ] || echo "Declare the library in CMakeLists.txt or move the code." >&2
exit $status
