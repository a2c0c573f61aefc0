#!/usr/bin/env bash
# The native program's headless frames show the same sky as the Windows
# module under Wine (test_backgrounds.sh): for each of the four backgrounds
# the frame is that background made from the committed bitmaps, with stars
# over it that twinkle and drift from one frame to the next.
source "$(dirname "$0")/linux_lib.sh"
linux_fresh_user
unset DISPLAY

size=1024x768
pixels=$(( 1024 * 768 ))
ini="$HOME/.config/Orvanel software/Orvanel screensaver.ini"
mkdir -p "$(dirname "$ini")"
for background in 0 1 2 3; do
  # Without the moon and the clock only the stars stand over the background.
  printf 'background=%s\r\nshowMoon=no\r\nshowClock=no\r\n' "$background" > "$ini"
  out=$work/frames-$background
  "$program" --headless --size "$size" --seconds 3 --every 50 --out "$out" >/dev/null \
    || fail "background $background: headless run exited with $?"
  orvanel_expected_background "$background" "$work/expected.png" "$size"
  off=$(orvanel_differing_pixels "$work/expected.png" "$out/frame-00051.png")
  changed=$(orvanel_differing_pixels "$out/frame-00001.png" "$out/frame-00051.png")
  echo "background $background: $off of $pixels pixels differ from the bare background, $changed changed in 2 s"
  [ "$off" -lt $(( pixels / 50 )) ] || fail "background $background: the frame is not the expected background ($off pixels off)"
  [ "$off" -ge $(( pixels / 4000 / 2 )) ] || fail "background $background: too few stars drawn ($off pixels)"
  [ "$changed" -gt 0 ] || fail "background $background: nothing twinkled or drifted in 2 seconds"
  [ "$changed" -lt $(( pixels / 50 )) ] || fail "background $background: the background itself changed ($changed pixels)"
done
echo "headless frames show the four backgrounds with twinkling and drifting stars"
