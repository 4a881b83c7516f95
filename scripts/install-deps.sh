#!/bin/sh
# Installs the Debian packages the project builds, runs and tests with.
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
