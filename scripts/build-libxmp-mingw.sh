#!/bin/sh
# Cross-builds a static libxmp for 64-bit Windows from Debian's own source
# package, so the sound library SNDLIB11.DLL can play music modules.
#
#   scripts/build-libxmp-mingw.sh PREFIX
#
# Leaves PREFIX/lib/libxmp.a and PREFIX/include/xmp.h; the Windows build finds
# them with -DZORBULANT_XMP_PREFIX=PREFIX. Does nothing when the library is
# already there. Needs root (or sudo) only to add Debian's source entry once.
set -eu

if [ $# -ne 1 ]; then
  echo "usage: $0 PREFIX" >&2
  exit 2
fi
mkdir -p "$1"
PREFIX=$(cd "$1" && pwd)
if [ -f "$PREFIX/lib/libxmp.a" ]; then
  echo "libxmp for Windows is already in $PREFIX"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

# apt-get source needs an index of source packages. The entry goes beside the
# binary ones, and the update reads every list, so none of their indexes goes.
SOURCES=/etc/apt/sources.list.d/zorbulant-src.sources
if ! apt-get source --print-uris libxmp >/dev/null 2>&1; then
  if [ ! -f "$SOURCES" ]; then
    printf '%s\n' \
      "Types: deb-src" \
      "URIs: http://deb.debian.org/debian" \
      "Suites: bookworm" \
      "Components: main" \
      "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" |
      $SUDO tee "$SOURCES" >/dev/null
  fi
  $SUDO apt-get update
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/libxmp-mingw.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"
apt-get source --download-only libxmp
dpkg-source -x libxmp_*.dsc source

# Debian's libxmp is built with its own configure script (the release has no
# CMake files); the static library alone serves a DLL that links everything in.
cd source
./configure --host=x86_64-w64-mingw32 --prefix="$PREFIX" \
  --enable-static --disable-shared \
  CC=x86_64-w64-mingw32-gcc-posix AR=x86_64-w64-mingw32-ar RANLIB=x86_64-w64-mingw32-ranlib
make -j2
make install
echo "libxmp for Windows installed in $PREFIX"
