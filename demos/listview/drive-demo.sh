#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Drives listview-demo with synthetic input and takes screenshots: the start,
# five wheel notches, a click and Page Down, a check-box click, a column
# divider drag. Run under xvfb-run -s "-screen 0 1024x768x24"; the screenshots
# go to $1 (never into the repository).
set -euo pipefail
out=${1:-/tmp/listview-shots}
bin=${2:-build/release/bin/listview-demo}
mkdir -p "$out"

"$bin" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wid=$(xdotool search --sync --name '^ListView demo$' | head -1)
sleep 2
eval "$(xdotool getwindowgeometry --shell "$wid")" # X, Y, WIDTH, HEIGHT
echo "window at $X,$Y size ${WIDTH}x$HEIGHT"
shot() { sleep 0.7; import -window root "$out/$1.png"; echo "shot $1"; }

# The demo's list: a thin border (1 pixel), header and rows 20 pixels high
# (9-point font at 96 dots per inch: 12 pixels + 8), first column 70 wide.
edge=1 header=20 row=20 first=70
row_y() { echo $((Y + edge + header + $1 * row + row / 2)); }

shot 1-start
xdotool mousemove $((X + 300)) "$(row_y 6)" click --repeat 5 --delay 120 5
shot 2-wheel-down-x5
xdotool mousemove $((X + 300)) "$(row_y 2)" click 1
xdotool key Next
shot 3-click-row-2-then-page-down
xdotool mousemove $((X + edge + 9)) "$(row_y 4)" click 1
shot 4-checkbox-click-row-4
divider=$((X + edge + first))
xdotool mousemove "$divider" $((Y + edge + header / 2)) mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove $((divider + step * 20)) $((Y + edge + header / 2)); sleep 0.1; done
xdotool mouseup 1
shot 5-divider-dragged-120-right
