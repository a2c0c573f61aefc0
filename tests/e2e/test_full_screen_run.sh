#!/usr/bin/env bash
# "/s" covers the virtual screen with one top-most window, draws the sky, and
# ends with exit code 0 on a key, or on a mouse move of more than 4 pixels.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
scr=$(orvanel_scr)

# A key ends the run.
xdotool mousemove 100 100
wine "$scr" /s &
pid=$!
orvanel_wait_window || fail "no screensaver window"
read -r _ left top width height topmost <<<"$(orvanel_helper find)"
screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
[ "$left $top ${width}x$height" = "0 0 $screen" ] || fail "window $left $top ${width}x$height, screen $screen"
[ "$topmost" = topmost ] || fail "window is not top-most"
sleep 1
# With the default settings the sky is the starry tiles with stars over them,
# the moon (300 px square), its label and the clock: no more than an eighth of the screen.
shot=$(mktemp --suffix=.png)
expected=$(mktemp --suffix=.png)
import -window root "$shot"
orvanel_expected_background 3 "$expected"
off=$(orvanel_differing_pixels "$expected" "$shot")
rm -f "$shot" "$expected"
[ "$off" -gt 0 ] && [ "$off" -lt $(( ${screen%x*} * ${screen#*x} / 8 )) ] || fail "the frame is not the starry sky: $off pixels off"
xdotool key space
orvanel_wait_exit "$pid" 1
[ "$exit_code" = 0 ] || fail "a key did not end the run with 0 within a second: $exit_code"

# A move of 4 pixels is jitter; one of 5 ends the run.
xdotool mousemove 100 100
wine "$scr" /s &
pid=$!
orvanel_wait_window || fail "no screensaver window"
sleep 1
xdotool mousemove 103 101
orvanel_wait_exit "$pid" 1
[ "$exit_code" = running ] || { orvanel_stop "$pid"; fail "a move of 4 pixels ended the run: $exit_code"; }
xdotool mousemove 103 102
orvanel_wait_exit "$pid" 2
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "a move of 5 pixels did not end the run: $exit_code"; }

log=$(tr -d '\r' < "$(orvanel_log_file)")
order=("ScreenSaverProc() received WM_CREATE" "creating keslApp" "Application command line:" "arg[1]:/s"
       "Entering: orvanelScreensaver.initWithWindowHandle()" "Creating TorvanelWorld with monitorId =0"
       "destroying keslApp" "ScreenSaverProc() received WM_CLOSE" "ScreenSaverProc() received  WM_DESTROY"
       "Entering: orvanelScreensaver.shutDown()" "destroying: orvanelScreensaver")
last=0
for line in "${order[@]}"; do
  at=$(grep -nF -- "$line" <<<"$log" | head -1 | cut -d: -f1)
  [ -n "$at" ] || fail "log lacks: $line"
  [ "$at" -gt "$last" ] || fail "log line out of order: $line"
  last=$at
done
echo "full-screen run, closing rules and log as expected"
