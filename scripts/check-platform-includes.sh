#!/bin/sh
# The game talks to the machine only through the platform interface: library and
# OS headers may be included by the backends and tools, nowhere else.
set -eu
cd "$(dirname "$0")/.."
pattern='#include[[:space:]]*[<"](SDL|ft2build|freetype/|fontconfig/|xmp\.h|gif_lib\.h|png\.h|windows\.h|ddraw\.h|mmsystem\.h|unistd\.h|sys/|dirent\.h|fcntl\.h)'
bad=$(grep -rlE "$pattern" src --include='*.cpp' --include='*.h' \
  | grep -vE '^src/platform/(headless|sdl|text|files|settings|xmp|win32)/' || true)
if [ -n "$bad" ]; then
  echo "platform headers used outside the platform backends:" >&2
  echo "$bad" >&2
  exit 1
fi
echo "platform headers stay in the backends"
