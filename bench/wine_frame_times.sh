#!/usr/bin/env bash
# Frame times of the Windows module under Wine: runs Orvanel.scr /s with the
# default settings on an Xvfb screen of SIZE (default 1920x1080) for SECONDS
# (default 60), ends it with a key press and prints the end-of-run line of
# its log ("Frames: N in S s, average A ms, slowest M ms"). The first message
# flies in on the first frame, so a minute covers a whole message transition.
#
#   bench/wine_frame_times.sh [SIZE] [SECONDS]
#   ORVANEL_SCR=build/win64/Orvanel64.scr bench/wine_frame_times.sh
#
# Needs the win32 build (build/win32/Orvanel.scr, or ORVANEL_WIN32_BUILD_DIR)
# and uses the test prefix (build/wineprefix), whose settings it restores.
# ORVANEL_SCR picks another module: 64-bit Windows runs the 64-bit one.
set -euo pipefail
export ORVANEL_SOURCE_DIR=${ORVANEL_SOURCE_DIR:-$(cd "$(dirname "$0")/.." && pwd)}
export ORVANEL_WIN32_BUILD_DIR=${ORVANEL_WIN32_BUILD_DIR:-$ORVANEL_SOURCE_DIR/build/win32}
source "$ORVANEL_SOURCE_DIR/tests/e2e/lib.sh"
size=${1:-1920x1080}
seconds=${2:-60}

number=$(( 500 + RANDOM % 300 ))
Xvfb ":$number" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
ORVANEL_XVFB_PID=$!
export DISPLAY=":$number"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
orvanel_prepare_wine
orvanel_keep_wine_settings
rm -f "$ini"

xdotool mousemove 20 20
scr=${ORVANEL_SCR:-$(orvanel_scr)}
wine "$scr" /s >/dev/null 2>&1 &
pid=$!
orvanel_wait_window || { orvanel_stop "$pid"; echo "no screensaver window" >&2; exit 1; }
sleep "$seconds"
xdotool key space
orvanel_wait_exit "$pid" 10
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; echo "the run did not end on a key: $exit_code" >&2; exit 1; }
echo "$(basename "$scr"), $size, ${seconds} s under Wine: $(tr -d '\r' < "$(orvanel_log_file)" | grep -o 'Frames: .*')"
