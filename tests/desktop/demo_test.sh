#!/bin/bash
# A demo recorded on the desktop under a virtual X server, keys sent with
# xdotool, replays headless to the same last state and picture (the replay
# checks both against the demo's own record of them and fails otherwise), and
# plays on the desktop too.
# Usage: demo_test.sh ZORBULANT_BINARY SOURCE_DIR
set -u
binary=$1
source_dir=$2

source "$(dirname "$0")/xvfb_session.sh"
failures=0

check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

"$source_dir/scripts/record-xvfb-demo.sh" "$binary" "$work/session.zdm"
check "the desktop session is saved as a demo" grep -q '^backend sdl$' "$work/session.zdm"
check "the demo holds the keys xdotool sent (Ctrl down and up)" \
  bash -c "grep -q ' m100,0,1d0001' '$work/session.zdm' && grep -q ' m101,0,c01d0001' '$work/session.zdm'"

last_turn=$(sed -n 's/^end //p' "$work/session.zdm")
"$binary" --headless --play "$work/session.zdm" --trace "$work/replay.jsonl" \
  --shot "$last_turn=$work/last.png" 2> "$work/replay.log"
check "the headless replay ends in the recorded state and picture" [ $? -eq 0 ]
check "the replay's trace ends on the recording's last turn" \
  grep -q "^{\"turn\":$last_turn," <(tail -1 "$work/replay.jsonl")
check "the replay's last picture is written" [ -s "$work/last.png" ]

"$binary" --window --scale 1 --play "$work/session.zdm" > "$work/play.log" 2>&1
check "the desktop plays the demo to the same end" [ $? -eq 0 ]

[ "$failures" -eq 0 ] || cat "$work/replay.log" "$work/play.log"
echo "$failures failed"
[ "$failures" -eq 0 ]
