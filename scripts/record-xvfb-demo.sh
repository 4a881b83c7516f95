#!/bin/bash
# Records a demo of the desktop game under a virtual X server, with keys sent by
# xdotool: the menu, the first mission's start, walking, jumping, firing each
# weapon, a focus loss, Escape back to the menu and a close request. This made
# tests/app/demos/xvfb_mission0.zdm; run it again when the data pack changes.
# Usage: record-xvfb-demo.sh ZORBULANT_BINARY DEMO_FILE
set -eu
binary=$(realpath "$1")
demo=$(realpath -m "$2")

if [ -z "${ZORBULANT_UNDER_XVFB:-}" ]; then
  ZORBULANT_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 800x600x24" "$0" "$@"
fi

# A fresh home: the recording starts from the default settings, not the player's.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config

"$binary" --window --scale 1 --record "$demo" > "$home/game.log" 2>&1 &
game=$!
window=$(timeout 10 xdotool search --sync --name '^Zorbulant$' | head -1)
[ -n "$window" ] || { echo "no window"; cat "$home/game.log"; exit 1; }
xdotool windowfocus --sync "$window"
sleep 0.5

key() { xdotool key --window "$window" "$1"; sleep "${2:-0.3}"; }
hold() { xdotool keydown --window "$window" "$1"; sleep "$2"; xdotool keyup --window "$window" "$1"; }

key Down; key Up                # the cursor moves and comes back to "go"
key Return 0.6                  # the mission's intro
key Return 1.0                  # the first mission
xdotool keydown --window "$window" Right
sleep 0.7; key space 0.5; key ctrl 0.2; key ctrl 0.4
xdotool keyup --window "$window" Right
key 2; hold ctrl 0.6            # the flame-thrower
key 3; key ctrl 0.8             # a grenade
key 1; hold alt 0.4             # pistol, and a duck
hold Left 0.5

# Another window takes the focus for a moment.
if command -v xmessage >/dev/null; then
  xmessage -name other "another application" &
  other_pid=$!
  other=$(timeout 5 xdotool search --sync --name '^other$' | head -1)
  xdotool windowfocus --sync "$other"
  sleep 0.4
  xdotool windowfocus --sync "$window"
  kill "$other_pid"
  sleep 0.3
fi

hold Escape 0.2                 # back to the menu
sleep 0.5
kill -TERM "$game"
wait "$game"
grep -v '^ALSA' "$home/game.log" || true
