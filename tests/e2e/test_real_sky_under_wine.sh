#!/usr/bin/env bash
# The Sky page under Wine turns the real sky on: the check box is clicked
# and the place typed as a user would (mouse and keyboard), OK stores them,
# and the next "/s" run draws the catalogue's bright stars and planets where
# the native sky report puts them for that moment, place and the module's
# size, within 2 pixels. Screenshots in e2e-artifacts/real-sky-wine/.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
orvanel_keep_wine_settings
scr=$(orvanel_scr)
native=${ORVANEL_NATIVE_BUILD_DIR:-$ORVANEL_SOURCE_DIR/build/native}
shots=$(orvanel_artifacts_dir)/real-sky-wine
mkdir -p "$shots"
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0

# A dark sky with nothing else bright in it.
orvanel_write_plain_sky_settings

# The run draws the sky of this very moment, so the place is one where it is
# late evening now: latitude 52.5, and the longitude whose local time is about
# 23 h (its whole degrees, and .4 typed with a decimal comma), where bright
# stars stand well above the horizon at any hour of the test. A midsummer
# night that far north never gets darker than a twilight, which would dim
# the stars: the Sky page's "Show the night sky by day too" is clicked on.
degrees=$(( ((23 - 10#$(date -u +%H)) * 15 + 540) % 360 - 180 ))
[ "$degrees" -gt -180 ] || degrees=179
longitude="$degrees.4"
typed_longitude="$degrees,4"
sheet() { orvanel_helper sheet "$@"; }
click_control() {  # ID: a real mouse click in the middle of the control
  local x y
  read -r x y < <(sheet where "$1" | sed -n 's/^where //p')
  [ -n "$x" ] || fail "control $1 of the Sky page is not there"
  xdotool mousemove "$x" "$y" click 1
}
setting() { tr -d '\r' < "$ini" | sed -n "s/^$1=//p"; }

wine "$scr" /c &
sheet_pid=$!
sheet page 10 >/dev/null || { orvanel_stop "$sheet_pid"; fail "no sheet, or no Sky page"; }
[ "$(sheet enabled 1071 | sed -n 's/^enabled //p')" = 0 ] || fail "the place can be typed before the real sky is on"
click_control 1070
[ "$(sheet enabled 1071 | sed -n 's/^enabled //p')" = 1 ] || fail "the click did not turn the real sky on"
[ "$(sheet gettext 1073 | sed -n 's/^text //p')" = "Empty: from my time zone" ] || fail "an empty place does not say it comes from the time zone"
click_control 1071
xdotool type --delay 30 "52.5"
click_control 1072
xdotool type --delay 30 -- "$typed_longitude"
click_control 1076
import -window root "$shots/sky-page.png"
sheet ok >/dev/null
orvanel_wait_exit "$sheet_pid" 15
[ "$exit_code" != running ] || { orvanel_stop "$sheet_pid"; fail "the sheet did not close on OK"; }
[ "$(setting realSky)" = yes ] || fail "realSky is '$(setting realSky)' after OK"
[ "$(setting realSkyAlwaysNight)" = yes ] || fail "realSkyAlwaysNight is '$(setting realSkyAlwaysNight)' after OK"
[ "$(setting skyLatitude),$(setting skyLongitude)" = "52.5,$longitude" ] || fail "the place is '$(setting skyLatitude),$(setting skyLongitude)'"

screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
xdotool mousemove 20 20
wine "$scr" /s &
pid=$!
orvanel_wait_window || { orvanel_stop "$pid"; fail "no screensaver window"; }
sleep 3
moment=$(date -u +%Y-%m-%dT%H:%M:%SZ)
import -window root "$shots/run.png"
xdotool key space
orvanel_wait_exit "$pid" 5
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "the run did not end on a key: $exit_code"; }
grep -qF "The real sky over 52.50 $(printf '%.2f' "$longitude")" <(tr -d '\r' < "$(orvanel_log_file)") || fail "the run did not draw the real sky"

"$native/orvanel" --sky-report --at "$moment" --place "52.5,$longitude" --size "$screen" > "$work/report.json" || fail "no sky report"
"$(dirname "$0")/sky_frame.py" --stars-brighter-than=2 "$work/report.json" "$shots/run.png" > "$work/found.txt" \
  || fail "the run does not show the report's sky at $moment: $(cat "$work/found.txt")"
checked=$(sed -n 's/^checked //p' "$work/found.txt")
[ "$checked" -ge 3 ] || fail "only $checked bright objects were on the view at $moment"
echo "at $moment over 52.5 N $longitude E on $screen: $(awk 'NF == 5 {printf "%s (%s, %s) ", $1, $4, $5}' "$work/found.txt")"
