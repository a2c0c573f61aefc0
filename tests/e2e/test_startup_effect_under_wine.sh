#!/usr/bin/env bash
# "/s" with startupEffect=1 opens with the old TV switching off, drawn
# straight on the window, before the sky: screenshots taken from the start
# show the near-black bars closing over the screen, then the line or the dot
# on the near-black screen, then the sky without any of the effect's colour.
# The log tells that the effect was set up for the monitor and deleted after.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
scr=$(orvanel_scr)
orvanel_keep_wine_settings
printf 'startupEffect=1\r\n' > "$ini"

screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
pixels=$(( ${screen%x*} * ${screen#*x} ))
fill='#050510'
white='#FFFFFF'

colour_pixels() {  # FILE COLOUR
  convert "$1" -depth 8 -format %c histogram:info:- | awk -v c="$2" \
    'toupper($3) == c { sub(":", "", $1); n += $1 } END { print n + 0 }'
}

xdotool mousemove 20 20
wine "$scr" /s &
pid=$!
# Screenshots from the start, as fast as they come, until the sky has replaced the effect.
saw_bars=""
saw_line_or_dot=""
saw_sky=""
for shot in $(seq 120); do
  file=$artifacts/startup-effect-$(printf %03d "$shot").png
  import -window root "$file"
  fill_got=$(colour_pixels "$file" "$fill")
  white_got=$(colour_pixels "$file" "$white")
  # Bars: part of the screen in the effect's colour, the rest still the old picture.
  [ "$fill_got" -ge $(( pixels / 100 )) ] && [ "$fill_got" -lt $(( pixels * 95 / 100 )) ] && [ -z "$saw_line_or_dot" ] && saw_bars=$shot
  # The line or the dot: a little white on a screen otherwise all in the effect's colour.
  [ "$white_got" -gt 0 ] && [ "$white_got" -lt $(( pixels / 100 )) ] && [ $(( fill_got + white_got )) -ge $(( pixels * 99 / 100 )) ] \
    && saw_line_or_dot=$shot
  # A dim pixel of the sky may happen to have the effect's colour.
  if [ -n "$saw_bars$saw_line_or_dot" ] && [ "$fill_got" -lt $(( pixels / 100 )) ]; then saw_sky=$shot; break; fi
done
xdotool key space
orvanel_wait_exit "$pid" 3
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "the run did not end on a key: $exit_code"; }
echo "screenshots: bars in ${saw_bars:-none}, line or dot in ${saw_line_or_dot:-none}, sky from ${saw_sky:-none} of $shot"
[ -n "$saw_bars$saw_line_or_dot" ] || fail "no screenshot showed the effect"
[ -n "$saw_sky" ] || fail "the sky did not follow the effect"

log=$(tr -d '\r' < "$(orvanel_log_file)")
grep -q "cWindowTransitionEffect_OldTV.initWithWindow: Top:0, Left:0, Bottom:${screen#*x}, Right:${screen%x*}" <<<"$log" \
  || fail "the log does not show the effect set up for the screen"
grep -q "Deleted startupEffectPtr. point 1" <<<"$log" || fail "the log does not show the effect deleted"
echo "the old TV opens the run under Wine, then the sky"
