#!/bin/bash
# Frame pacing of the desktop game at its default settings (full screen, 70 Hz)
# under a virtual X server, in the first mission with the hero walking: the
# share of one core the game uses, and how far the intervals between shown
# pictures stray from the 70 Hz target (the game writes the time of every
# picture with --frame-times).
# Usage: desktop_pacing.sh ZORBULANT_BINARY [SECONDS]
set -eu
binary=$(realpath "$1")
seconds=${2:-20}

if [ -z "${ZORBULANT_UNDER_XVFB:-}" ]; then
  ZORBULANT_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config

"$binary" ${ZORBULANT_PACING_ARGS:-} --frame-times "$work/frames.txt" > "$work/game.log" 2>&1 &
game=$!
window=$(timeout 10 xdotool search --sync --name '^Zorbulant$' | head -1)
xdotool windowfocus --sync "$window"
sleep 0.5
xdotool key --window "$window" Return
sleep 0.5
xdotool key --window "$window" Return
sleep 1
xdotool keydown --window "$window" Right

# CPU time in clock ticks (user + system) over the measured stretch.
ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
start_ticks=$(ticks)
start_time=$(date +%s.%N)
sleep "$seconds"
end_ticks=$(ticks)
end_time=$(date +%s.%N)
start_us=$(awk '{printf "%d", $1 * 1000000}' <<< "$start_time")
xdotool keyup --window "$window" Right
kill -TERM "$game"
wait "$game"

hertz=$(getconf CLK_TCK)
cpu=$(awk -v a="$start_ticks" -v b="$end_ticks" -v t0="$start_time" -v t1="$end_time" \
  -v hz="$hertz" 'BEGIN {printf "%.1f", (b - a) / hz / (t1 - t0) * 100}')

# Intervals between the pictures shown in the measured stretch (the last
# $seconds seconds of frames), in microseconds of the game's own clock.
awk -v seconds="$seconds" '
  { time[NR] = $1 }
  END {
    first = NR
    while (first > 1 && time[NR] - time[first - 1] <= seconds * 1000000) first--
    for (i = first + 1; i <= NR; i++) print time[i] - time[i - 1]
  }' "$work/frames.txt" | sort -n > "$work/intervals.txt"

awk -v seconds="$seconds" -v cpu="$cpu" '
  { gap[NR] = $1 }
  END {
    n = NR
    target = 1000000 / 70
    for (i = 1; i <= n; i++) if (gap[i] - target <= 1000 && target - gap[i] <= 1000) within++
    printf "Desktop pacing under Xvfb, %d s in the first mission:\n", seconds
    printf "  CPU: %s%% of one core; goal at most 10%%: %s\n", cpu, (cpu <= 10 ? "met" : "MISSED")
    printf "  %d intervals against the 70 Hz target of %.3f ms:\n", n, target / 1000
    printf "    min %.3f  1%% %.3f  median %.3f  99%% %.3f  max %.3f ms\n", gap[1] / 1000,
      gap[int(n * 0.01) + 1] / 1000, gap[int(n / 2) + 1] / 1000, gap[int(n * 0.99)] / 1000,
      gap[n] / 1000
    printf "    %.2f%% within 1 ms of the target; goal all: %s\n", within * 100 / n,
      (within == n ? "met" : "MISSED")
  }' "$work/intervals.txt"
