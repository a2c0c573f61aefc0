#!/usr/bin/env bash
# On the root window every monitor gets its region, the primary one first:
# two RandR monitors side by side on one X screen, the primary on the right,
# a smaller one left of it and lower. The message is written inside the
# primary monitor, and the settings given on the command line are used for
# the run without being saved.
source "$(dirname "$0")/linux_lib.sh"
linux_fresh_user
linux_own_display 24 1600x900
xrandr --setmonitor left 640/169x480/127+0+200 none >/dev/null
xrandr --setmonitor '*main' 960/254x900/238+640+0 screen >/dev/null
log=$TMPDIR/Orvanel.keslLog.txt

"$program" --root --background black --moon none --no-clock --message 'Hello' >/dev/null 2>&1 &
pid=$!
linux_pids+=("$pid")
sleep 2
import -window root "$work/before.png"
sleep 19
import -window root "$work/message.png"
linux_terminate "$pid"
[ "$exit_code" = 0 ] || fail "the program did not end with 0 on SIGTERM: $exit_code"

grep -qF "Number of monitors for the drawRegions:2" "$log" || fail "not two regions: $(grep -i monitor "$log")"
first=$(grep -F "Monitor rect:" "$log" | head -1)
[[ "$first" == *"Top:0, Left:640, Bottom:900, Right:1600, Width:960, Height:900"* ]] || fail "the primary monitor is not the first region: $first"
grep -qF "Setting for this run: message1=Hello" "$log" || fail "the message option was not used"
[ ! -e "$HOME/.config/Orvanel software/Orvanel screensaver.ini" ] || ! grep -q 'message1=Hello' "$HOME/.config/Orvanel software/Orvanel screensaver.ini" \
  || fail "the message of the run was saved into the settings file"

# The message's stars gather as white dots; the normal stars twinkle and
# drift but stay about as many. What the message adds is the difference.
white() {  # PICTURE W H X Y: white pixels in that rectangle
  convert "$1" -crop "${2}x${3}+${4}+${5}" +repage -colorspace gray -threshold 85% -format '%[fx:round(mean*w*h)]' info:
}
added() { echo $(( $(white "$work/message.png" "$@") - $(white "$work/before.png" "$@") )); }
inside=$(added 960 900 640 0)
left=$(added 640 900 0 0)
echo "white pixels the message added: primary $inside, left $left"
[ "$inside" -gt 80 ] || fail "no message in the primary monitor ($inside white pixels added)"
[ "$left" -lt $(( inside / 4 )) ] || fail "the message is not confined to the primary monitor (left $left, primary $inside)"
echo "two monitors: the primary first, the message inside it, the settings of the run unsaved"
