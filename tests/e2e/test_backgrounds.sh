#!/usr/bin/env bash
# "/s" with each of the four backgrounds shows the expected picture (a solid
# colour, the stretched gradient or the repeated starry tile) with stars drawn
# over it that twinkle and drift: screenshots are compared with the picture
# made from the committed bitmaps, and with each other a few seconds apart.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
scr=$(orvanel_scr)
orvanel_keep_wine_settings

screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
width=${screen%x*}
height=${screen#*x}
pixels=$(( width * height ))

for background in 0 1 2 3; do
  # Without the moon and the clock only the stars stand over the background.
  printf 'background=%s\r\nshowMoon=no\r\nshowClock=no\r\n' "$background" > "$ini"
  xdotool mousemove 20 20
  wine "$scr" /s &
  pid=$!
  orvanel_wait_window || { orvanel_stop "$pid"; fail "background $background: no screensaver window"; }
  sleep 2
  import -window root "$artifacts/background-$background-a.png"
  sleep 3
  import -window root "$artifacts/background-$background-b.png"
  xdotool key space
  orvanel_wait_exit "$pid" 3
  [ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "background $background: run did not end on a key: $exit_code"; }

  orvanel_expected_background "$background" "$work/expected.png"
  off=$(orvanel_differing_pixels "$work/expected.png" "$artifacts/background-$background-a.png")
  changed=$(orvanel_differing_pixels "$artifacts/background-$background-a.png" "$artifacts/background-$background-b.png")
  echo "background $background: $off of $pixels pixels differ from the bare background, $changed changed in 3 s"
  # The stars cover a little of the picture; everything else is the background.
  [ "$off" -lt $(( pixels / 50 )) ] || fail "background $background: the picture is not the expected background ($off pixels off)"
  # One star per 4000 pixels, each lighting at least its centre.
  [ "$off" -ge $(( pixels / 4000 / 2 )) ] || fail "background $background: too few stars drawn ($off pixels)"
  [ "$changed" -gt 0 ] || fail "background $background: nothing twinkled or drifted in 3 seconds"
  [ "$changed" -lt $(( pixels / 50 )) ] || fail "background $background: the background itself changed ($changed pixels)"
done

log=$(tr -d '\r' < "$(orvanel_log_file)")
grep -q "cSkyBackground_ImageTiled tile size: 512 x 320" <<<"$log" || fail "log lacks the tile size"
echo "the four backgrounds show as expected, with twinkling and drifting stars"
