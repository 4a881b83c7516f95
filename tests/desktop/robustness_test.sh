#!/bin/bash
# The desktop game under a virtual X server keeps running through what a
# desktop does to it: an audio device that cannot be opened, one that fails
# while the game plays, the window resized, hidden and shown again. Each time
# the picture goes on changing, F12 still saves the 320x200 picture, and a
# close request ends the game with exit code 0.
# Usage: robustness_test.sh ZORBULANT_BINARY
set -u
binary=$1

source "$(dirname "$0")/xvfb_session.sh"
shots=$work/data/zorbulant/screenshots
failures=0

check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

start_game() {  # start_game [ENVIRONMENT...]: the game in a window, in the first mission
  env "$@" "$binary" --window --scale 2 > "$work/game.log" 2>&1 &
  game=$!
  window=$(timeout 10 xdotool search --sync --name '^Zorbulant$' | head -1)
  [ -n "$window" ] || { echo "FAILED: no window"; cat "$work/game.log"; exit 1; }
  xdotool windowfocus --sync "$window"
  sleep 0.5
  xdotool key --window "$window" Return
  sleep 0.5
  xdotool key --window "$window" Return
  sleep 0.8
}

screenshot() {  # prints the path of a new F12 screenshot
  local count path
  count=$(find "$shots" -name '*.png' 2>/dev/null | wc -l)
  path=$(printf '%s/zorbulant-%04d.png' "$shots" $((count + 1)))
  xdotool key --window "$window" F12
  for _ in $(seq 50); do [ -f "$path" ] && break; sleep 0.1; done
  echo "$path"
}

png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }

still_playing() {  # the hero walks: two screenshots apart differ
  xdotool keydown --window "$window" Right
  local first second
  first=$(screenshot)
  sleep 0.4
  second=$(screenshot)
  xdotool keyup --window "$window" Right
  [ "$(png_size "$second")" = "320x200" ] && ! cmp -s "$first" "$second"
}

ends_with_zero() {
  kill -TERM "$game"
  for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game" 2>/dev/null && { kill -9 "$game"; return 1; }
  wait "$game"
}

# No audio device can be opened: the game plays silently.
start_game SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/no such directory/out.raw"
check "the game plays without an audio device" still_playing
check "and ends normally" ends_with_zero

# The device fails while the game plays: every write to a full disk fails, and
# SDL takes the device away.
start_game SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/full
sleep 0.5
check "the game plays on after its audio device failed" still_playing
check "and ends normally" ends_with_zero

# The window is resized, hidden and shown again.
start_game
xdotool windowsize --sync "$window" 500 300
sleep 0.3
check "the game plays on in a resized window" still_playing
xdotool windowunmap --sync "$window"
sleep 0.5
xdotool windowmap --sync "$window"
xdotool windowfocus --sync "$window"
sleep 0.3
check "the game plays on after its window was hidden" still_playing
check "and ends normally" ends_with_zero

[ "$failures" -eq 0 ] || cat "$work/game.log"
echo "$failures failed"
[ "$failures" -eq 0 ]
