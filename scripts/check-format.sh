#!/usr/bin/env bash
# Every C++ file of the tree is formatted by the committed .clang-format
# (clang-format 14 from Debian); lists the files that are not.
cd "$(dirname "$0")/.." || exit 1
fmt=$(command -v clang-format-14 || command -v clang-format) || {
  echo "clang-format is missing (apt-get install clang-format)" >&2
  exit 1
}
bad=()
while IFS= read -r f; do
  "$fmt" --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done < <(git ls-files '*.cpp' '*.h')
if [ ${#bad[@]} -gt 0 ]; then
  echo "Not formatted (run $fmt -i on them):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
