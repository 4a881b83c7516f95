#!/bin/sh
# Installs the Debian packages the project builds, runs and tests with; with
# the argument "windows" also the ones of the Windows build and its tests
# (mingw-w64, Wine, ImageMagick for screenshots of the X display).
# Idempotent: when everything is present it only checks and returns.
set -eu

PACKAGES="
  build-essential cmake ninja-build pkg-config clang
  libsdl2-dev libxmp-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libgif-dev libpng-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  xvfb xauth xdotool x11-utils
  desktop-file-utils appstream dpkg-dev file groff-base
"
if [ "${1:-}" = windows ]; then
  PACKAGES="$PACKAGES
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 imagemagick dpkg-dev
"
fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

[ -z "$missing" ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing Debian packages:$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
