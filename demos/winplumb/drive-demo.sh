#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Drives scrollbars-demo with synthetic input and takes screenshots.
# Run under xvfb-run -s "-screen 0 1024x768x24"; screenshots go to $1.
set -euo pipefail
out=${1:-/tmp/winplumb-shots}
bin=${2:-build/release/bin/scrollbars-demo}
mkdir -p "$out"

"$bin" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wid=$(xdotool search --sync --name '^scrollbars-demo$' | head -1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")" # X, Y, WIDTH, HEIGHT
echo "window at $X,$Y size ${WIDTH}x$HEIGHT"
shot() { sleep 0.5; import -window root "$out/$1.png"; echo "shot $1"; }

edge=2 bar=17
vx=$((X + WIDTH - edge - bar / 2))             # vertical bar, centre line
hy=$((Y + HEIGHT - edge - bar / 2))            # horizontal bar, centre line
down_arrow_y=$((Y + HEIGHT - edge - bar - bar / 2))
right_arrow_x=$((X + WIDTH - edge - bar - bar / 2))

shot 1-start
# At position 0 the thumb sits right below the up arrow.
thumb_y=$((Y + edge + bar + 8))
xdotool mousemove "$vx" "$thumb_y" mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove "$vx" $((thumb_y + step * 30)); sleep 0.1; done
shot 2-thumb-dragging
xdotool mouseup 1
shot 3-thumb-released
xdotool mousemove "$vx" "$down_arrow_y" click --repeat 3 --delay 150 1
shot 4-down-arrow-x3
xdotool mousemove $((X + 200)) $((Y + 200)) click --repeat 2 --delay 150 5
shot 5-wheel-down-x2
xdotool mousemove "$right_arrow_x" "$hy" click --repeat 5 --delay 150 1
shot 6-right-arrow-x5
xdotool mousemove $((X + 200)) $((Y + 200)) click --repeat 1 4
shot 7-wheel-up-x1
xdotool mousemove "$vx" "$down_arrow_y" click 3
shot 8-right-press-on-vertical-bar
xdotool mousemove $((X + 200)) $((Y + 200)) click 1 key Escape
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
if kill -0 $pid 2>/dev/null; then echo "the demo did not end on Escape"; exit 1; fi
wait $pid && echo "the demo ended cleanly"
