#!/usr/bin/env bash
# "/s" shows today's moon: a 200-pixel disc lit on the side an independent
# ephemeris expects for this moment (right while waxing, left while waning,
# as seen from the northern hemisphere; the side is not judged within a day
# or so of a full or new moon), with the pale green label centred under it.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
scr=$(orvanel_scr)
orvanel_keep_wine_settings
frame_reader=$(dirname "$0")/moon_frame.py

printf 'background=0\r\nshowClock=no\r\nmoonSize=200\r\n' > "$ini"
xdotool mousemove 20 20
wine "$scr" /s &
pid=$!
orvanel_wait_window || { orvanel_stop "$pid"; fail "no screensaver window"; }
sleep 3
import -window root "$artifacts/moon.png"
xdotool key space
orvanel_wait_exit "$pid" 3
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "the run did not end on a key: $exit_code"; }

# Illuminated percentage and waxing or waning, from the ephemeris.
read -r lit_percent waxing < <(/usr/bin/python3 -c '
import ephem
now = ephem.now()
moon = ephem.Moon(now)
print("%.1f" % moon.phase, int(ephem.next_full_moon(now) < ephem.next_new_moon(now)))')
phase=$(tr -d '\r' < "$(orvanel_log_file)" | sed -n 's/.*moonPhaseDegrees:\([0-9]*\).*/\1/p' | head -1)
read -r cx cy diameter offset share label_top label_cx < <("$frame_reader" moon "$artifacts/moon.png") \
  || fail "no moon on the screen"
echo "today: ${lit_percent}% lit, waxing=$waxing; the program's phase ${phase:-unknown}; disc ${diameter}px at ($cx, $cy)," \
     "lit middle at $offset of the radius, lit share $share, label from y=$label_top centred at x=$label_cx"
awk -v d="$diameter" 'BEGIN { exit !(d >= 196 && d <= 201) }' || fail "the disc is ${diameter}px, not 200"
awk -v t="$label_top" -v cy="$cy" -v d="$diameter" -v lx="$label_cx" -v cx="$cx" \
  'BEGIN { bottom = cy + d / 2; exit !(t >= bottom - 2 && t <= bottom + 12 && lx - cx < 6 && cx - lx < 6) }' \
  || fail "the label (from y=$label_top, centre x=$label_cx) is not under the moon"
awk -v s="$share" -v p="$lit_percent" 'BEGIN { d = s * 100 - p; exit !(d <= 4 && d >= -4) }' \
  || fail "the drawn disc is lit $share, the moon ${lit_percent}%"
if awk -v p="$lit_percent" 'BEGIN { exit !(p > 2 && p < 97) }'; then
  if [ "$waxing" = 1 ]; then
    awk -v o="$offset" 'BEGIN { exit !(o > 0.25) }' || fail "a waxing moon not lit on the right ($offset)"
  else
    awk -v o="$offset" 'BEGIN { exit !(o < -0.25) }' || fail "a waning moon not lit on the left ($offset)"
  fi
  echo "the moon is lit on the side of today's phase, its label under it"
else
  echo "the moon is too close to full or new for a lit side; its label is under it"
fi
