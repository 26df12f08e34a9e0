#!/usr/bin/env bash
# The program at rest must not wake itself up: opens the exercise window of
# the built program, leaves it alone and counts the system calls of all its
# threads over five seconds with strace.
#
#   bench/idle_check.sh [build-dir]      (needs strace and xdotool; uses $DISPLAY,
#                                         or starts Xvfb when there is none)
set -euo pipefail
build="${1:-build}"
program="$build/app/schriftliche-division"
[ -x "$program" ] || { echo "no program at $program: build first" >&2; exit 2; }
for tool in strace xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is needed (apt-get install $tool)" >&2; exit 2; }
done

cleanup() { kill "${pid:-}" "${xvfb:-}" 2>/dev/null || true; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  command -v Xvfb >/dev/null || { echo "no DISPLAY and no Xvfb (apt-get install xvfb)" >&2; exit 2; }
  export DISPLAY=:77
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
fi

"$program" >/dev/null 2>&1 &
pid=$!
start=$(xdotool search --sync --onlyvisible --pid "$pid" --name '^Schriftliche Division$' | head -1)
sleep 1
# The division tile of the start window opens the exercise window.
xdotool mousemove --window "$start" 208 72 click 1
sleep 2
# Away from every control, so no hover effect is pending.
xdotool mousemove 0 0
sleep 1

out=$(mktemp)
DISPLAY="$DISPLAY" import -window root "${IDLE_SCREENSHOT:-/dev/null}" 2>/dev/null || true
timeout -s INT 5 strace -c -f -p "$pid" -o "$out" 2>/dev/null || true
echo "system calls of the idle program over 5 s (all threads):"
cat "$out"
calls=$(awk '$NF == "total" { print $4 }' "$out")
calls=${calls:-0}
rm -f "$out"
# Attaching interrupts each blocked thread once; anything beyond that is a wake-up.
threads=$(ls /proc/"$pid"/task | wc -l)
if [ "$calls" -le "$threads" ]; then
  echo "idle: $calls calls for $threads threads (no wake-ups)"
else
  echo "NOT idle: $calls calls for $threads threads" >&2
  exit 1
fi
