#!/bin/bash
# The desktop build's sound through SDL's disk audio driver, which writes what
# would be played to a file: the menu music is heard from the start and the
# reload sample of the pistol key comes in over it.
# Usage: disk_audio_test.sh ZORBULANT_BINARY DISK_AUDIO_PROBE
set -u
binary=$1
probe=$2

source "$(dirname "$0")/xvfb_session.sh"
mkdir -p "$work/pack"
"$probe" write "$work/pack" || exit 1

# 48000 Hz is the sound set-up's default, and a fresh HOME has no other.
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/out.raw \
  "$binary" --data "$work/pack" --window --scale 1 > "$work/game.log" 2>&1 &
game=$!
window=$(timeout 10 xdotool search --sync --name '^Zorbulant$' | head -1)
[ -n "$window" ] || { echo "FAILED: no window"; cat "$work/game.log"; exit 1; }
xdotool windowfocus --sync "$window"
sleep 1.5
# Key 1 plays the reload sample when pressed and again when let go; held a
# while, the two do not overlap.
xdotool keydown --window "$window" 1
sleep 0.4
xdotool keyup --window "$window" 1
sleep 0.8
kill -TERM "$game"
for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$game" 2>/dev/null; then
  kill -9 "$game"
  echo "FAILED: the game did not end"
  exit 1
fi
wait "$game" || { echo "FAILED: the game ended with an error"; cat "$work/game.log"; exit 1; }

"$probe" check "$work/out.raw" 48000
result=$?
[ "$result" -eq 0 ] || cat "$work/game.log"
exit "$result"
