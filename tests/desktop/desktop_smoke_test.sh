#!/bin/bash
# The desktop build under a virtual X server: the window opens, F12 saves the
# screen, the game pauses while another window has the focus, and both the menu's
# "exit" and a close request end the program with exit code 0.
# Usage: desktop_smoke_test.sh ZORBULANT_BINARY
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

start_game() {
  "$binary" --window --scale 2 > "$work/game.log" 2>&1 &
  game=$!
  window=$(timeout 10 xdotool search --sync --name '^Zorbulant$' | head -1)
  [ -n "$window" ] || { echo "FAILED: no window"; cat "$work/game.log"; exit 1; }
  xdotool windowfocus --sync "$window"
  sleep 0.5
}

screenshot() {  # screenshot NUMBER: F12 writes zorbulant-000N.png
  xdotool key --window "$window" F12
  for _ in $(seq 50); do [ -f "$shots/zorbulant-000$1.png" ] && break; sleep 0.1; done
}

png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }

ends_with_zero() {  # waits for the game to end; true when its exit code is 0
  for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game" 2>/dev/null && { kill -9 "$game"; return 1; }
  wait "$game"
}

start_game
screenshot 1
check "F12 saves the 320x200 picture" [ "$(png_size "$shots/zorbulant-0001.png")" = "320x200" ]
grep -q "screenshot saved as" "$work/game.log"
check "the screenshot's place is told on stderr" [ $? -eq 0 ]
sleep 0.3
screenshot 2
check "the menu animates while the game has the focus" \
  bash -c "! cmp -s '$shots/zorbulant-0001.png' '$shots/zorbulant-0002.png'"

# Another window takes the focus: no frame runs, the picture stands still.
if command -v xmessage >/dev/null; then
  xmessage -name other "another application" &
  other_pid=$!
  other=$(timeout 5 xdotool search --sync --name '^other$' | head -1)
  xdotool windowfocus --sync "$other"
  sleep 0.3
  screenshot 3
  sleep 0.4
  screenshot 4
  check "the game pauses while another window has the focus" \
    cmp -s "$shots/zorbulant-0003.png" "$shots/zorbulant-0004.png"
  xdotool windowfocus --sync "$window"
  sleep 0.3
  kill "$other_pid"
fi

# Down twice reaches "exit"; Enter leaves the game.
xdotool key --window "$window" Down
sleep 0.2
xdotool key --window "$window" Down
sleep 0.2
xdotool key --window "$window" Return
check "the menu's exit ends the game with exit code 0" ends_with_zero

start_game
kill -TERM "$game"
check "a close request ends the game with exit code 0" ends_with_zero

[ "$failures" -eq 0 ] || cat "$work/game.log"
echo "$failures failed"
[ "$failures" -eq 0 ]
