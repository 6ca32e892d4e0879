#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The window read over AT-SPI: an X server, a session bus, and the reader script.
#   atspi-test.sh LUMARIN LUMARIN_SPLIT NOVEL
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run dbus-run-session dbus-send; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
# Debian's interpreter: pyatspi is installed for it, not for one a user put first on PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
# A display number of its own, away from :99 that other X tests on the machine start from.
exec xvfb-run -n $((100 + RANDOM % 800)) -a -s '-screen 0 1600x1000x24' \
  dbus-run-session -- "$python" "$here/read-chapter-list.py" "$@"
