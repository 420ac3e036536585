#!/usr/bin/env bash
# Runs under xvfb-run: starts kxdesigner on a label, waits for its window, reports its title and size,
# then quits it with Ctrl+Q and reports how it ended.  smoke.sh KXDESIGNER LABEL
set -u
# The tests run on the offscreen platform; this program needs the X server.
QT_QPA_PLATFORM=xcb "$1" "$2" &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "KxLab Designer" | head -n 1)
if [ -z "$window" ]; then
    echo "no window"
    kill "$pid"
    exit 1
fi
echo "title: $(xdotool getwindowname "$window")"
xdotool getwindowgeometry "$window"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key --window "$window" ctrl+q
timeout 30 tail --pid="$pid" -f /dev/null
wait "$pid"
echo "exit $?"
