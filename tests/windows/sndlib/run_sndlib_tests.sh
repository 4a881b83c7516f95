#!/bin/sh
# Runs the sound library's Windows tests under Wine, twice in one fresh Wine
# prefix: first with an output device and a display (Xvfb), then with
# neither, so that both roads of the start-up and of the set-up are taken.
# The device is ALSA's file plugin over its null device: it takes the sound at
# its own pace, plays nothing and keeps what it took in a file for the tests.
#
#   tests/windows/sndlib/run_sndlib_tests.sh BUILD_DIR DATA_DIR
#
# BUILD_DIR is the Windows build, DATA_DIR a data pack (a native build's
# data). Exits with 0 when both runs pass.
set -eu

if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_DIR DATA_DIR" >&2
  exit 2
fi
BUILD=$(cd "$1" && pwd)
DATA=$(cd "$2" && pwd)
WINE=$(command -v wine64 || command -v wine)

WORK=$(mktemp -d "${TMPDIR:-/tmp}/sndlib-tests.XXXXXX")
export WINEPREFIX="$WORK/prefix" WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WORK"' EXIT

# The tests run where the game runs: in a directory of its sound files, with
# the sound library beside the program.
RUN="$WORK/run"
mkdir -p "$RUN"
for file in SNDLIB11.DLL SNDPART.DLL sndlib_tests.exe; do
  found=$(find "$BUILD" -name "$file" -not -path '*/CMakeFiles/*' | head -n 1)
  if [ -z "$found" ]; then
    echo "$file is not in $BUILD: build the target sndlib_tests first" >&2
    exit 2
  fi
  cp "$found" "$RUN/"
done
cp "$DATA"/*.ulw "$DATA"/*.wav "$DATA"/*.mod "$RUN/"

# ALSA reads its configuration from HOME; Wine keeps its caches there too.
export HOME="$WORK/home"
mkdir -p "$HOME"
CAPTURE="$WORK/capture.raw"
printf 'pcm.!default {\n  type file\n  slave.pcm "null"\n  file "%s"\n  format "raw"\n}\n' \
  "$CAPTURE" >"$HOME/.asoundrc"

"$WINE" wineboot -i
audio_driver() {
  wineserver -w
  "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "$1" /f >/dev/null
  wineserver -k
  wineserver -w
}

status=0
audio_driver alsa
echo "== with an output device and a display"
(cd "$RUN" && ZORBULANT_TEST_AUDIO=present ZORBULANT_TEST_DISPLAY=present \
  ZORBULANT_TEST_CAPTURE="Z:$(echo "$CAPTURE" | tr / '\\')" \
  timeout 600 xvfb-run -a -s "-screen 0 1024x768x24" "$WINE" sndlib_tests.exe) || status=1

audio_driver ""
echo "== with neither"
(cd "$RUN" && ZORBULANT_TEST_AUDIO=absent ZORBULANT_TEST_DISPLAY=absent DISPLAY= \
  timeout 600 "$WINE" sndlib_tests.exe) || status=1

exit $status
