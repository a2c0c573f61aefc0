#!/usr/bin/env bash
# The default messages written in stars, headless: nothing but the sky at the
# start, the stars on their way at 5 and 10 s, "Your message" / "here" settled
# in the lower part of the picture by 20 s, the cyan bottom line entering from
# the right after 20 s and crossing leftwards, and the second message,
# "Orvanel" / "screensaver", written by 60 s.
source "$(dirname "$0")/linux_lib.sh"
source "$(dirname "$0")/msg_lib.sh"
linux_fresh_user
unset DISPLAY
# Without the grey moon and clock, starlight is only stars.
ini="$HOME/.config/Orvanel software/Orvanel screensaver.ini"
mkdir -p "$(dirname "$ini")"
printf 'showMoon=no\r\nshowClock=no\r\n' > "$ini"

out=$work/frames
"$program" --headless --size 960x600 --seconds 61 --every 25 --out "$out" >/dev/null || fail "headless run exited with $?"
frame() { printf '%s/frame-%05d.png' "$out" $(( 1 + 25 * $1 )); }  # SECONDS
log=$(tr -d '\r' < "$TMPDIR/Orvanel.keslLog.txt")
grep -q "project(Your message" <<<"$log" || fail "the first default message was not projected"
grep -q "su_YY=0, su_YN=0, su_NY=" <<<"$log" || fail "the first transition did not start from an empty sky"

# The lower 70 % of the picture, where the message lands, and the bottom line's rows.
low=180 bottom=599 line_top=540
read -r stars0 _ < <(msg_starlight "$(frame 0)" $low $bottom)
read -r stars20 _ < <(msg_starlight "$(frame 20)" $low $bottom)
echo "starlight in the lower picture: $stars0 pixels at 0 s, $stars20 at 20 s"
# A few hundred dots, each a lit centre with dimmer arms.
[ $(( stars20 - stars0 )) -gt 600 ] || fail "the message did not arrive in the lower picture by 20 s"
moving=$(orvanel_differing_pixels "$(frame 5)" "$(frame 10)")
settled=$(orvanel_differing_pixels "$(frame 20)" "$(frame 21)")
echo "pixels changed from 5 to 10 s: $moving; from 20 to 21 s: $settled"
[ "$moving" -gt "$settled" ] || fail "the stars were not flying between 5 and 10 s"

for t in 0 10 19; do
  read -r cyan _ < <(msg_cyan "$(frame $t)" 0 599)
  [ "$cyan" = 0 ] || fail "the bottom line showed at $t s"
done
read -r cyan22 left22 < <(msg_cyan "$(frame 22)" $line_top $bottom)
read -r cyan30 left30 < <(msg_cyan "$(frame 30)" $line_top $bottom)
echo "bottom line: $cyan22 cyan pixels from x=$left22 at 22 s, $cyan30 from x=$left30 at 30 s"
[ "$cyan22" -gt 20 ] && [ "$left22" -gt 800 ] || fail "the bottom line did not enter from the right at 22 s"
# 960 / 16 = 60 pixels per second: 480 pixels further left 8 s later.
[ $(( left22 - left30 )) -ge 470 ] && [ $(( left22 - left30 )) -le 490 ] || fail "the bottom line did not scroll at 60 px/s"

grep -q "project(Orvanel" <<<"$log" || fail "the second default message never came"
changed=$(msg_rows_differ "$(frame 20)" "$(frame 60)" $low $bottom)
echo "the lower picture differs in $changed pixels between the first and second message"
[ "$changed" -gt 1000 ] || fail "the second message did not replace the first"
echo "the default messages are written in stars with their bottom lines"
