#!/bin/sh
# The Windows zip as a player gets it, run under Wine on a virtual X display:
#  1. a scripted run of the first mission to Mission Done gives the same trace
#     as the native headless run of the script, and leaves "MaxCount" in
#     Wine's registry;
#  2. a live run, in a Wine virtual desktop where DirectDraw grants the full
#     screen of 320x200 in 256 colours, shows the menu (a screenshot of the X
#     display, compared with the headless picture of the menu), follows keys
#     sent with xdotool through the menu into a mission, and ends with exit
#     code 0 when its window is closed.
# The scripted run has no virtual desktop: there Wine refuses the display
# mode, and the game runs in its own window.
# usage: wine_game_test.sh ZIP NATIVE_ZORBULANT SOURCE_DIR
set -u
if [ $# -ne 3 ]; then
  echo "usage: $0 ZIP NATIVE_ZORBULANT SOURCE_DIR" >&2
  exit 2
fi
if [ -z "${ZORBULANT_UNDER_XVFB:-}" ]; then
  ZORBULANT_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
zip=$(realpath "$1")
native=$(realpath "$2")
source=$(realpath "$3")
# Debian keeps wine64 and wineserver out of PATH.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
work=$(mktemp -d "${TMPDIR:-/tmp}/zorbulant-wine.XXXXXX")
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
trap '"$wineserver" -k >/dev/null 2>&1; [ -n "${ZORBULANT_KEEP:-}" ] || rm -rf "$work"' EXIT

failures=0
check() {  # check DESCRIPTION COMMAND...: runs the command, reports the result
  description=$1
  shift
  if "$@"; then
    echo "ok: $description"
  else
    echo "FAILED: $description"
    failures=$((failures + 1))
  fi
}

# The states of the trace, one per turn, with repeats folded.
states() {
  sed -n 's/.*"GameState":\([0-9]*\).*/\1/p' "$1" | uniq | tr '\n' ' '
}

(cd "$work" && cmake -E tar xf "$zip") || exit 1
game=$(find "$work" -maxdepth 2 -name zorbulant.exe -printf '%h')
check "the zip holds the program, the sound library and the data pack" \
  test -f "$game/SNDLIB11.DLL" -a -f "$game/levelaaa.jmp" -a -f "$game/README.txt"

"$wine" wineboot -i >/dev/null 2>&1
# Without a window manager Wine waits two seconds for each closed window to be
# withdrawn by it; windows it manages itself close at once.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$wineserver" -w

# 1. The first mission's completion script behind the menu and the intro, and
# a switch to another application and back on the Mission Done screen.
{
  printf '2 press Enter\n3 release Enter\n5 press Enter\n6 release Enter\n'
  awk '/^[0-9]/ { $1 = $1 + 4; print }' "$source/content/missions/levelaaa.txt"
} >"$work/mission.txt"
last=$(tail -n 1 "$work/mission.txt" | cut -d' ' -f1)
printf '%s deactivate\n%s activate\n' $((last + 100)) $((last + 110)) >>"$work/mission.txt"
turns=$((last + 300))
check "a new prefix holds no settings" \
  sh -c "! '$wine' reg query 'HKLM\\SOFTWARE\\Quillmarsh\\Zorbulant' >/dev/null 2>&1"
"$native" --headless --data "$game" --input "$work/mission.txt" --turns "$turns" \
  --trace "$work/headless.trace"
(cd "$game" && "$wine" zorbulant.exe --input "$work/mission.txt" --turns "$turns" \
  --trace "$work/windows.trace")
check "the scripted run ends with exit code 0" [ $? -eq 0 ]
check "the scripted run reaches Mission Done" grep -q '"GameState":6' "$work/windows.trace"
check "its trace is the headless run's, turn for turn" \
  cmp "$work/headless.trace" "$work/windows.trace"
"$wine" reg query 'HKLM\SOFTWARE\Quillmarsh\Zorbulant' /v MaxCount >"$work/reg.txt" 2>&1
# Mission 1 is now the highest reached: 1, 4 bytes, least significant first.
check "Mission Done wrote MaxCount to the registry" \
  grep -Eq 'MaxCount[[:space:]]+REG_BINARY[[:space:]]+01000000' "$work/reg.txt"

# 2. A live run with the real clock, in a virtual desktop. Each key is sent
# once the previous one's effect shows in the trace.
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
"$wineserver" -w
"$native" --headless --data "$game" --turns 5 --shot "5=$work/menu-headless.png"
(cd "$game" && exec "$wine" zorbulant.exe --trace "$work/live.trace") &
wine_pid=$!
wait_for_state() {  # wait_for_state STATE: up to 20 s for the trace to show it
  for _ in $(seq 200); do
    last=$(tail -n 1 "$work/live.trace" 2>/dev/null | sed -n 's/.*"GameState":\([0-9]*\).*/\1/p')
    [ "$last" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
window=""
for _ in $(seq 200); do
  window=$(xdotool search --name '^Zorbulant$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.1
done
check "the window titled Zorbulant opens" [ -n "$window" ]
check "the game starts in the menu" wait_for_state 0
sleep 1
import -window root "$work/screen.png"
# The desktop shrinks to the display mode, 320x200 in the screen's corner,
# give or take its border. Left out of the comparison: the ticker's rows (its
# text comes from another font) and the "go" button, which is animated.
mask() {  # mask IN GEOMETRY OUT
  convert "$1" -crop "$2" +repage -fill black -draw "rectangle 118,30 202,68" "$3"
}
mask "$work/menu-headless.png" 318x180+0+0 "$work/menu-headless-part.png"
differing=57240
for offset in +0+0 +1+0 +0+1 +1+1 +2+2; do
  mask "$work/screen.png" "318x180$offset" "$work/menu-windows-part.png"
  count=$(compare -metric AE -fuzz 8% "$work/menu-windows-part.png" \
    "$work/menu-headless-part.png" null: 2>&1)
  [ "${count%.*}" -lt "$differing" ] && differing=${count%.*}
done
check "the X display shows the menu ($differing of 57240 pixels differ)" [ "$differing" -lt 572 ]

key() {  # key KEYSYM: a press and a release, to the desktop with the game
  xdotool key "$1"
}
key Down
check "Down moves the cursor to the configuration button" wait_for_state 1
key Down
check "Down again moves it to the exit button" wait_for_state 2
key Up
key Up
check "Up twice brings it back to go" wait_for_state 0
key Return
check "Enter on go shows the mission intro" wait_for_state 9
key Return
check "Enter in the intro starts the mission" wait_for_state 4
sequence=$(states "$work/live.trace")
check "the states ran menu, intro, mission: $sequence" \
  sh -c 'case "$1" in "0 1 2 1 0 9 4"*) exit 0 ;; esac; exit 1' - "$sequence"

"$wine" taskkill /im zorbulant.exe >/dev/null 2>&1
wait "$wine_pid"
check "closing the window ends the program with exit code 0" [ $? -eq 0 ]

[ "$failures" -eq 0 ] || exit 1
