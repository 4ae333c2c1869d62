#!/usr/bin/env bash
# The Debian package as `make package` builds it, made into a folder of its
# own: it holds the programs, the data, the desktop entry, the icons, the
# metadata and the manual page, and depends on the SDL2 library.
#   package.sh BUILD_DIR
set -euo pipefail
build=$1
for p in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$p" >/dev/null || { echo "skipped: $p is not installed"; exit 77; }
done
work=$(mktemp -d /tmp/tarnwick-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $*"
  exit 1
}

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/tarnwick_*_amd64.deb 2>/dev/null | head -n1 || true)
[ -n "$deb" ] || fail "no tarnwick_VERSION_amd64.deb"
echo "$(basename "$deb")"
dpkg-deb -c "$deb" >"$work/contents"
for f in usr/bin/tarnwick usr/bin/tarnwick-edit usr/bin/tarnwick-lib usr/bin/tarnwick-replay \
  usr/share/tarnwick/objects.dxg usr/share/tarnwick/sound.dxw usr/share/tarnwick/music.dxw \
  usr/share/tarnwick/lakes/lakes.ini usr/share/tarnwick/ui/title.bmp \
  usr/share/applications/tarnwick.desktop usr/share/applications/tarnwick-edit.desktop \
  usr/share/metainfo/tarnwick.metainfo.xml \
  usr/share/man/man6/tarnwick.6 usr/share/icons/hicolor/32x32/apps/tarnwick.png \
  usr/share/icons/hicolor/256x256/apps/tarnwick.png; do
  grep -q " \./$f\$" "$work/contents" || fail "the package lacks /$f"
done
if grep -E ' \./usr/bin/tarnwick-(bake|bench)$|tarnwick\.ini$|tarnwick\.log$|/replays/' "$work/contents"; then
  fail "the package holds build tools or a player's files"
fi
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
grep -q 'libsdl2-2\.0-0' <<<"$depends" || fail "the package does not depend on SDL2"
if grep -qE -- '-dev\b|cairo|freetype|gtest|benchmark' <<<"$depends"; then
  fail "the package depends on something only the build needs"
fi
echo "package test passed"
