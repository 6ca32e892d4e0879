#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs platform-demo on a virtual X screen, drives its scroll bars and wheel
# with xdotool and takes a screenshot after each step.
#   demos/platform/drive-demo.sh <platform-demo binary> <output folder>
# Coordinates assume the demo's 640 x 480 window with a two-pixel client edge
# and 17-pixel bars.
set -euo pipefail
demo=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"

xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$demo" "$out" <<'INNER'
set -euo pipefail
demo=$1; out=$2
"$demo" & pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
win=$(xdotool search --sync --name '^platform-demo$' | head -1)
sleep 1
shot() { import -window root "$out/$1.png"; }
at() { xdotool mousemove --window "$win" "$1" "$2"; }

shot 1-start
at 629 452; xdotool click 1; sleep 0.3; shot 2-down-arrow
at 629 452; xdotool mousedown 1; sleep 1; xdotool mouseup 1; sleep 0.3; shot 3-down-arrow-held
at 629 30; xdotool mousedown 1; sleep 0.2
for y in 60 100 140 180 220; do at 629 $y; sleep 0.1; done
shot 4-thumb-dragging
xdotool mouseup 1; sleep 0.3; shot 5-thumb-released
at 300 200; xdotool click 5 click 5 click 5; sleep 0.3; shot 6-wheel-down-3
at 612 469; xdotool click 1 click 1; sleep 0.2
at 400 469; xdotool click 1; sleep 0.3; shot 7-horizontal
at 200 100; xdotool click 1; sleep 0.3; shot 8-cell-selected
INNER
echo "screenshots in $out"
