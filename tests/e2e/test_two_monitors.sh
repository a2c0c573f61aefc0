#!/usr/bin/env bash
# With two screens joined by Xinerama, the full-screen run makes one drawing
# region per monitor, in window coordinates.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine

number=$(( 500 + RANDOM % 400 ))
Xvfb ":$number" +xinerama -screen 0 800x600x24 -screen 1 640x480x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
wineserver -k 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$number"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

xdotool mousemove 50 50
wine "$(orvanel_scr)" /s &
pid=$!
orvanel_wait_window || fail "no screensaver window"
sleep 1
xdotool key space
orvanel_wait_exit "$pid" 3
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "run did not end on a key: $exit_code"; }

text=$(tr -d '\r' < "$(orvanel_log_file)")
grep -q "Number of monitors for the drawRegions:2" <<<"$text" || fail "log lacks two monitors: $(grep -i monitor <<<"$text")"
[ "$(grep -c 'Monitor rect:Top:0, Left:0, Bottom:' <<<"$text")" = 2 ] || fail "regions: $(grep 'Monitor rect' <<<"$text")"
grep -q "Monitor rect:Top:0, Left:0, Bottom:600, Right:800, Width:800, Height:600" <<<"$text" || fail "first region"
grep -q "Monitor rect:Top:0, Left:0, Bottom:480, Right:640, Width:640, Height:480" <<<"$text" || fail "second region"
grep -q "Total pixels of all monitors:787200" <<<"$text" || fail "total pixels"
echo "two monitors as expected"
