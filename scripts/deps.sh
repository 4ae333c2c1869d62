#!/usr/bin/env bash
# Makes sure the Debian packages the build needs are present: installs the
# missing ones when run as root, otherwise says which to install.
set -u
pkgs=(cmake g++ make pkg-config libsdl2-dev libcairo2-dev libfreetype-dev libpng-dev
      libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core clang clang-format libclang-rt-dev
      xvfb xdotool x11-utils imagemagick openbox desktop-file-utils appstream dpkg-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null \
    || { echo "apt-get could not install: ${missing[*]}" >&2; exit 1; }
else
  echo "Missing packages: ${missing[*]}" >&2
  echo "Install them with: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
