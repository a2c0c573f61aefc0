#!/usr/bin/env bash
# A change of the display while "/s" runs (a monitor plugged in or out, a new
# resolution) comes as WM_DISPLAYCHANGE: the module covers the new desktop
# again and builds its sky for it, without playing the start effect, testing
# the hot corners or asking to keep awake a second time, and a key still
# ends the run with exit code 0. Xvfb cannot change its size, so the test
# helper shrinks the window as the old layout had it and sends the message
# Windows sends.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
orvanel_keep_wine_settings
scr=$(orvanel_scr)
log=$(orvanel_log_file)

# A plain dark sky; the start effect and keep-awake on.
orvanel_write_plain_sky_settings
printf 'startupEffect=1\r\npreventComputerSleep_permanently=yes\r\n' >> "$ini"
screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')

xdotool mousemove 30 30
wine "$scr" /s &
pid=$!
orvanel_wait_window || { orvanel_stop "$pid"; fail "no screensaver window"; }
# The start effect is over within about two seconds.
sleep 3

[ "$(orvanel_helper displaychange 400 300)" = sent ] || { orvanel_stop "$pid"; fail "the helper found no screensaver window"; }
for _ in $(seq 50); do grep -q "The display changed" "$log" 2>/dev/null && break; sleep 0.1; done
sleep 1
placed=$(orvanel_helper find)
import -window root "$artifacts/after-display-change.png"
orvanel_expected_background 0 "$work/background.png"
differing=$(orvanel_differing_pixels "$artifacts/after-display-change.png" "$work/background.png")

xdotool key space
orvanel_wait_exit "$pid" 5
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "a key did not end the run after the display changed: $exit_code"; }

text=$(tr -d '\r' < "$log")
grep -q "The display changed: the sky is built again for 1 monitor(s)" <<<"$text" || fail "the log does not tell of the display change"
[ "$placed" = "found 0 0 ${screen/x/ } topmost" ] || fail "the window does not cover the desktop again: $placed"
pixels=$(( ${screen%x*} * ${screen#*x} ))
[ "$differing" -lt $(( pixels / 20 )) ] || fail "$differing pixels after the change are not the sky's background"
worlds=$(grep -c "Creating TorvanelWorld with monitorId =0" <<<"$text" || true)
effects=$(grep -c "cWindowTransitionEffect_OldTV.initWithWindow" <<<"$text" || true)
requests=$(grep -c "cPreventComputerSleep calls preventIdleSleep() to keep power ON" <<<"$text" || true)
[ "$worlds" = 2 ] || fail "the sky was built $worlds times, not once at the start and once for the change"
[ "$effects" = 1 ] || fail "the start effect played $effects times in one run"
[ "$requests" = 1 ] || fail "keep-awake was asked $requests times in one run"
echo "a display change built the sky again over the whole desktop ($differing pixels of stars), with one start effect and one keep-awake request; a key ended the run with 0"
