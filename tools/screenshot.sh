#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Platterwise under Xvfb in a prepared folder, optionally drives it with xdotool, and
# saves a screenshot of the screen.
#
#   tools/screenshot.sh OUT.png [XDOTOOL-COMMAND ...]
#
# Each XDOTOOL-COMMAND is one xdotool command line, run in order with a pause after it, e.g.
#   tools/screenshot.sh go.png "key ctrl+a" "mousemove 878 383 click 1"
# The screen is 1280 x 1024 and the main window is centred, so its client area starts at
# (194, 164). PLATTERWISE (default build/release/app/platterwise) names the program.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "$1")"
shift
program="$(realpath -m "${PLATTERWISE:-$here/build/release/app/platterwise}")"
[ -x "$program" ] || { echo "no program at $program (build it, or set PLATTERWISE)" >&2; exit 1; }

demo="$(mktemp -d /tmp/platterwise-demo.XXXXXX)"
trap 'rm -rf "$demo"' EXIT
music="$demo/music"
mk() { mkdir -p "$(dirname "$music/$1")"; truncate -s "$2" "$music/$1"; }
mk "Autechre - Confield/01 VI Scose Poise.flac" 1400000000
mk "Boards of Canada - Geogaddi/01 Ready Lets Go.flac" 1700000000
mk "2010 - Live in Tromso/cd1.ape" 1250000000
mk "Burial - Untrue/Untrue.wv" 900000000
mk "Stars of the Lid - Tired Sounds/disc.flac" 1600000000
mk "cover.jpg" 350000
mk "rip.log" 4000
mk "image.cue" 2000
printf '[MAIN]\nREMEMBER_LAST_LOC=YES\nLAST_LOC=%s\nSHELL=2\n' "$music" > "$demo/settings.ini"

cd "$demo"
export PW_OUT="$out" PW_PROGRAM="$program"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$PW_PROGRAM" & pid=$!
    sleep 4
    for step in "$@"; do xdotool $step; sleep 1.5; done
    import -window root "$PW_OUT"
    kill $pid 2>/dev/null || true
' screenshot "$@"
echo "saved $out"
