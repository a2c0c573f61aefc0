#!/usr/bin/env bash
# "/s" with each of the four backgrounds shows the expected picture (a solid
# colour, the stretched gradient or the repeated starry tile) with stars drawn
# over it that twinkle and drift: screenshots are compared with the picture
# made from the committed bitmaps, and with each other until a star moved.
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
  orvanel_expected_background "$background" "$work/expected.png"
  # The stars cover a little of the picture; everything else is the
  # background. One star per 4000 pixels, each lighting at least its centre.
  # Shots are taken until the sky is drawn (at most 10 s), then until a star
  # twinkled or drifted (at most 5 s more).
  SECONDS=0
  while :; do
    import -window root "$artifacts/background-$background-a.png"
    off=$(orvanel_differing_pixels "$work/expected.png" "$artifacts/background-$background-a.png")
    if [ "$off" -lt $(( pixels / 50 )) ] && [ "$off" -ge $(( pixels / 4000 / 2 )) ] || [ "$SECONDS" -ge 10 ]; then break; fi
    sleep 0.3
  done
  SECONDS=0
  while :; do
    sleep 0.3
    import -window root "$artifacts/background-$background-b.png"
    changed=$(orvanel_differing_pixels "$artifacts/background-$background-a.png" "$artifacts/background-$background-b.png")
    if [ "$changed" -gt 0 ] || [ "$SECONDS" -ge 5 ]; then break; fi
  done
  waited=$SECONDS
  xdotool key space
  orvanel_wait_exit "$pid" 3
  [ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "background $background: run did not end on a key: $exit_code"; }

  echo "background $background: $off of $pixels pixels differ from the bare background, $changed changed within $waited s"
  [ "$off" -lt $(( pixels / 50 )) ] || fail "background $background: the picture is not the expected background ($off pixels off)"
  [ "$off" -ge $(( pixels / 4000 / 2 )) ] || fail "background $background: too few stars drawn ($off pixels)"
  [ "$changed" -gt 0 ] || fail "background $background: nothing twinkled or drifted in 5 seconds"
  [ "$changed" -lt $(( pixels / 50 )) ] || fail "background $background: the background itself changed ($changed pixels)"
done

log=$(tr -d '\r' < "$(orvanel_log_file)")
grep -q "cSkyBackground_ImageTiled tile size: 512 x 320" <<<"$log" || fail "log lacks the tile size"
echo "the four backgrounds show as expected, with twinkling and drifting stars"
