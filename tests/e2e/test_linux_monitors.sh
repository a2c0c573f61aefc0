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
# The message is read from three moments around its full form: a loaded
# machine may draw it a moment late, or the stars may twinkle off at one.
sleep 17
for shot in 1 2 3; do import -window root "$work/message-$shot.png"; sleep 2; done
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
added() { echo $(( $(white "$1" "${@:2}") - $(white "$work/before.png" "${@:2}") )); }
inside=-1
for shot in 1 2 3; do
  shot_inside=$(added "$work/message-$shot.png" 960 900 640 0)
  [ "$shot_inside" -le "$inside" ] && continue
  inside=$shot_inside
  left=$(added "$work/message-$shot.png" 640 900 0 0)
done
echo "white pixels the message added: primary $inside, left $left"
[ "$inside" -gt 80 ] || fail "no message in the primary monitor ($inside white pixels added)"
[ "$left" -lt $(( inside / 4 )) ] || fail "the message is not confined to the primary monitor (left $left, primary $inside)"
echo "two monitors: the primary first, the message inside it, the settings of the run unsaved"

# The main monitor right of a wider one, at x = 1920: the moon starts and
# stays on it. Then, with the cursor resting in an armed corner, the screen
# shrinks (a new mode and size, which RandR announces): the sky is drawn for
# the new layout while the run goes on, without a second old-TV effect or
# keep-awake.
linux_own_display 24 3200x1080
xrandr --setmonitor left 1920/508x1080/286+0+0 none >/dev/null
xrandr --setmonitor '*main' 1280/339x800/212+1920+0 screen >/dev/null
xrandr --newmode 2800x1080 0 2800 0 0 0 1080 0 0 0 && xrandr --addmode screen 2800x1080 || fail "xrandr cannot add a mode"
ini="$HOME/.config/Orvanel software/Orvanel screensaver.ini"
mkdir -p "$(dirname "$ini")"
printf 'background=0\r\nshowClock=no\r\nmoonSize=200\r\nstartupEffect=1\r\nhotcorner_BR=yes\r\npreventComputerSleep_permanently=yes\r\n' > "$ini"
rm -f "$log"
xdotool mousemove 1000 500
"$program" --root >/dev/null 2>&1 &
pid=$!
linux_pids+=("$pid")
sleep 4
import -window root "$work/moon-right.png"
read -r cx cy diameter _ < <("$(dirname "$0")/moon_frame.py" moon "$work/moon-right.png") || fail "no moon on the screen"
echo "moon of ${diameter}px centred at ($cx, $cy) with the main monitor at x = 1920"
awk -v cx="$cx" -v d="$diameter" 'BEGIN { exit !(cx - d / 2 >= 1918 && cx + d / 2 <= 3202 && d >= 190) }' \
  || fail "the moon is not inside the main monitor at x = 1920"

xdotool mousemove 2790 790
xrandr --output screen --mode 2800x1080 --fb 2800x1080 || fail "xrandr could not change the screen"
for _ in $(seq 100); do grep -q "Drawing into X window .*, 2800x1080" "$log" 2>/dev/null && break; sleep 0.1; done
grep -q "Drawing into X window .*, 2800x1080" "$log" || fail "the run did not take up the new layout"
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the run ended after the screen change (cursor in an armed corner)"
import -window root "$work/changed.png"
read -r cx2 _ diameter2 _ < <("$(dirname "$0")/moon_frame.py" moon "$work/changed.png") || fail "no moon after the change"
echo "after the change: the screen 2800x1080, the moon of ${diameter2}px centred at x = $cx2"
linux_terminate "$pid"
[ "$exit_code" = 0 ] || fail "the program did not end with 0 on SIGTERM after the screen change: $exit_code"
[ "$(grep -c "Creating TorvanelWorld" "$log")" = 2 ] || fail "the sky was not built anew once for the new layout"
[ "$(grep -c "cWindowTransitionEffect_OldTV.initWithWindow" "$log")" = 1 ] || fail "the old-TV effect played again"
[ "$(grep -c "calls preventIdleSleep()" "$log")" = 1 ] || fail "keep-awake was taken again"
! grep -q "Screensaver start was prevented because of hotcorners" "$log" || fail "the hot corners were tested again"
sed -n '/Drawing into X window .*, 2800x1080/q;p' "$log" | grep -q "calls restoreIdleSleep()" \
  && fail "keep-awake was given back at the screen change"
awk -v cx="$cx2" -v d="$diameter2" 'BEGIN { exit !(cx - d / 2 >= 1918 && cx + d / 2 <= 2802 && d >= 190) }' \
  || fail "the sky of the new layout has no moon inside the main monitor's visible part"
echo "the moon stays on a main monitor at x = 1920; a screen change redraws the sky and nothing of the start"
