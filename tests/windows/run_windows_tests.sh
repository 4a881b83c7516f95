#!/bin/sh
# Runs zorbulant_windows_tests.exe under Wine, in a Wine prefix of its own that
# is made for the run and removed after it, on a virtual X display. Exits with
# the tests' status.
# usage: run_windows_tests.sh zorbulant_windows_tests.exe [GoogleTest options]
set -u
if [ $# -lt 1 ]; then
  echo "usage: $0 zorbulant_windows_tests.exe [GoogleTest options]" >&2
  exit 2
fi
tests=$1
shift
# Debian keeps wine64 and wineserver out of PATH.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
prefix=$(mktemp -d "${TMPDIR:-/tmp}/zorbulant-wine.XXXXXX")
export WINEPREFIX="$prefix" WINEDEBUG=-all
trap '"$wineserver" -k >/dev/null 2>&1; rm -rf "$prefix"' EXIT

"$wine" wineboot -i >/dev/null 2>&1
# With no window manager on the display, Wine waits two seconds for each
# closed window to be withdrawn by it; windows it manages itself close at once.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# The prefix's desktop process started without a display: it has to be gone
# before the tests open their windows on one.
"$wineserver" -w

xvfb-run -a -s "-screen 0 1024x768x24" "$wine" "$tests" "$@"
