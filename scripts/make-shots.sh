#!/bin/sh
# Screenshots of the game as a player sees it, from the headless runner and
# the input scripts in content/shots/: the main menu, the configuration
# screen, the first mission's intro and its first moments, and the sprites'
# contact sheet when the sprite tool is built.
# Usage: scripts/make-shots.sh [BUILD_DIR]   (default: build)
set -eu
cd "$(dirname "$0")/.."

build=${1:-build}
data=$build/data
shots=$build/shots
mkdir -p "$shots"
rm -f "$shots"/*.png

# shot NAME TURN: plays content/shots/NAME.txt and keeps the screen after TURN.
shot() {
  "$build/src/zorbulant" --headless --data "$data" --turns "$2" \
    --input "content/shots/$1.txt" --shot "$2=$shots/$1.png"
}

# Turn 563 is 8 s in: the "go" button faces the front again and the credits
# have scrolled into view.
shot menu 563
shot config 50
shot intro 20
shot level 60

if [ -z "$(find -L "$data" -maxdepth 1 -iname levelaaa.jmp)" ] ||
  [ -z "$(find -L "$data" -maxdepth 1 -iname levelaaa.gif)" ]; then
  echo "make-shots: the first mission (levelaaa.jmp, levelaaa.gif) is not in $data:" \
    "intro.png has no mission title and level.png still shows the intro" >&2
fi

sprites=$build/tools/sprites/zorbulant-sprites
if [ -x "$sprites" ]; then
  "$sprites" --contact-sheet content/sprites "$shots/sprites.png"
else
  echo "make-shots: no sprite tool at $sprites, so no contact sheet" >&2
fi

echo "Shots written:"
for file in "$shots"/*.png; do
  echo "  $file"
done
