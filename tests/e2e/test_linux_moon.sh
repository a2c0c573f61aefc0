#!/usr/bin/env bash
# The moon in its phase, headless, with the wall clock set to known moments:
# a waxing crescent and the first quarter are lit on the right, the full moon
# all over, the last quarter on the left (the view from the northern
# hemisphere); the phase the program computed is the one of that moment, and
# the pale green label stands centred right under the moon. Then the clock,
# in red on its own, drifts across the sky.
source "$(dirname "$0")/linux_lib.sh"
linux_fresh_user
unset DISPLAY
# faketime preloads itself; the sanitizer runtime must not insist on coming first.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
export TZ=UTC
command -v faketime >/dev/null || fail "faketime is missing (scripts/setup.sh installs it)"
frame_reader=$(dirname "$0")/moon_frame.py

ini="$HOME/.config/Orvanel software/Orvanel screensaver.ini"
mkdir -p "$(dirname "$ini")"
printf 'background=0\r\nshowClock=no\r\nmoonSize=200\r\n' > "$ini"

# The lit share of the drawn disc against PyEphem's illuminated fraction.
within_4_points_of_ephemeris() {  # NAME MOMENT SHARE
  local fraction
  fraction=$(/usr/bin/python3 -c 'import ephem, sys; print("%.3f" % ephem.Moon(sys.argv[1].replace("-", "/")).moon_phase)' "$2")
  echo "$1: drawn lit share $3, PyEphem's illuminated fraction $fraction"
  awk -v s="$3" -v f="$fraction" 'BEGIN { exit !(s - f <= 0.04 && f - s <= 0.04) }' \
    || fail "$1: the drawn disc is lit $3, the moon $fraction"
}

# MOMENT NAME PHASE_LOW PHASE_HIGH SIDE
check_moment() {
  local moment=$1 name=$2 low=$3 high=$4 side=$5 out=$work/$2 phase
  faketime -f "@$moment" "$program" --headless --size 960x600 --seconds 3 --out "$out" >/dev/null \
    || fail "$name: headless run exited with $?"
  phase=$(tr -d '\r' < "$TMPDIR/Orvanel.keslLog.txt" | sed -n 's/.*moonPhaseDegrees:\([0-9]*\).*/\1/p' | head -1)
  [ -n "$phase" ] && [ "$phase" -ge "$low" ] && [ "$phase" -le "$high" ] \
    || fail "$name: phase ${phase:-unknown}, expected $low..$high"
  read -r cx cy diameter offset share label_top label_cx < <("$frame_reader" moon "$out/frame-00051.png") \
    || fail "$name: no moon in the frame"
  echo "$name ($moment UTC): phase $phase, disc ${diameter}px at ($cx, $cy), lit middle at $offset of the radius," \
       "lit share $share, label from y=$label_top centred at x=$label_cx"
  awk -v d="$diameter" 'BEGIN { exit !(d >= 196 && d <= 201) }' || fail "$name: the disc is ${diameter}px, not 200"
  case $side in
    right) awk -v o="$offset" 'BEGIN { exit !(o > 0.25) }' || fail "$name: not lit on the right ($offset)" ;;
    left) awk -v o="$offset" 'BEGIN { exit !(o < -0.25) }' || fail "$name: not lit on the left ($offset)" ;;
    all) awk -v o="$offset" -v s="$share" 'BEGIN { exit !(o > -0.05 && o < 0.05 && s > 0.9) }' \
           || fail "$name: not lit all over ($offset, $share)" ;;
  esac
  within_4_points_of_ephemeris "$name" "$moment" "$share"
  awk -v t="$label_top" -v cy="$cy" -v d="$diameter" -v lx="$label_cx" -v cx="$cx" \
    'BEGIN { bottom = cy + d / 2; exit !(t >= bottom - 2 && t <= bottom + 12 && lx - cx < 6 && cx - lx < 6) }' \
    || fail "$name: the label (from y=$label_top, centre x=$label_cx) is not under the moon"
}

check_moment "2026-11-12 20:00:00" "waxing-crescent" 200 250 right
check_moment "2026-11-17 12:00:00" "first-quarter" 260 285 right
check_moment "2026-11-24 15:00:00" "full-moon" 0 5 all
check_moment "2026-12-01 06:00:00" "last-quarter" 75 100 left
check_moment "2027-01-27 02:00:00" "waning-gibbous" 45 65 left
echo "the moon shows its phase, lit as much as the moon is, on the waxing right and the waning left, with its label under it"

# The real sky turns the same picture toward the sun; it stays lit as much.
real_moon() {  # NAME MOMENT LAT,LON
  local out=$work/$1 x y
  faketime -f "@$2" "$program" --headless --size 960x600 --seconds 0.04 --every 1 --out "$out" \
    --real-sky --place "$3" --no-quotes --moon large >/dev/null || fail "$1: headless run exited with $?"
  read -r x y < <("$program" --sky-report --at "${2/ /T}Z" --place "$3" --size 960x600 \
    | /usr/bin/python3 -c 'import json, sys; print(*[(b["x"], b["y"]) for b in json.load(sys.stdin) if b["kind"] == "moon"][0])') \
    || fail "$1: the report has no moon in the view"
  within_4_points_of_ephemeris "$1" "$2" "$("$frame_reader" share "$out/frame-00001.png" "$x" "$y" 300)"
}
real_moon real-sky-vienna "2027-01-27 02:00:00" 48.21,16.37
real_moon real-sky-sydney "2027-01-17 10:30:00" -33.87,151.21

# A week in one run: the clock jumps seven days while the sky runs, from the
# eve of a full moon (its label tells "Full moon tomorrow" in two lines) to a
# waning gibbous moon (phase name, phase and next dates: three lines). The
# moon is lit anew on its left and the label grows to the new day's, as tall
# as that of a run started on the new day.
source "$(dirname "$0")/quotes_lib.sh"
libfaketime=$(find /usr/lib -name libfaketime.so.1 -path '*faketime*' | head -1)
[ -n "$libfaketime" ] || fail "libfaketime is missing (scripts/setup.sh installs faketime)"
label_height() {  # FILE: rows of the label's ink under the moon
  local cx cy diameter l t r b
  read -r cx cy diameter _ < <("$frame_reader" moon "$1") || fail "no moon in $1"
  read -r l t r b < <(moon_label_box "$1" "$(awk -v y="$cy" -v d="$diameter" 'BEGIN { print y + d / 2 }')")
  [ "$t" -ge 0 ] || fail "no label under the moon in $1"
  echo $(( b - t + 1 ))
}
stamp=$work/faketime-stamp
echo "@2026-11-23 20:00:00" > "$stamp"
week=$work/week
LD_PRELOAD=$libfaketime FAKETIME_TIMESTAMP_FILE=$stamp FAKETIME_NO_CACHE=1 \
  "$program" --headless --size 960x600 --seconds 30 --out "$week" >/dev/null &
pid=$!
for _ in $(seq 600); do [ -e "$week/frame-00101.png" ] && break; sleep 0.1; done
echo "@2026-11-30 20:00:00" > "$stamp"
wait "$pid" || fail "the week-long run exited with $?"
grep -q "lit and labelled anew" "$TMPDIR/Orvanel.keslLog.txt" || fail "the moon was not lit anew after the jump"
faketime -f "@2026-11-30 20:00:00" "$program" --headless --size 960x600 --seconds 30 --out "$work/new-day" >/dev/null \
  || fail "the new day's run exited with $?"

read -r _ _ _ before_offset before_share _ < <("$frame_reader" moon "$week/frame-00051.png")
read -r _ _ _ after_offset after_share _ < <("$frame_reader" moon "$week/frame-00726.png")
before_label=$(label_height "$week/frame-00051.png")
after_label=$(label_height "$week/frame-00726.png")
new_day_label=$(label_height "$work/new-day/frame-00726.png")
echo "before the jump: lit middle at $before_offset, lit share $before_share, label ${before_label} rows;" \
     "a week later: $after_offset, $after_share, label ${after_label} rows (a run started then: ${new_day_label})"
awk -v s="$before_share" 'BEGIN { exit !(s > 0.85) }' || fail "the eve of the full moon is not nearly all lit"
awk -v o="$after_offset" 'BEGIN { exit !(o < -0.25) }' || fail "a week later the moon is not lit on the left ($after_offset)"
[ "$after_label" -ge $(( before_label + 10 )) ] || fail "the label did not gain the new day's third line"
[ $(( after_label - new_day_label )) -le 4 ] && [ $(( new_day_label - after_label )) -le 4 ] \
  || fail "the label after the jump is not the new day's ($after_label rows, a new run's $new_day_label)"
echo "a week later in the same run: the new day's moon and label"

# 30 pixels per second in a random direction: 2 s move the clock some 60 pixels
# (less if it bounced off an edge on the way).
printf 'background=0\r\nshowMoon=no\r\nclockSpeed=30\r\nclockAutoColor=no\r\nclockColor=-16776961\r\n' > "$ini"
"$program" --headless --size 960x600 --seconds 3 --out "$work/clock" >/dev/null || fail "clock: headless run exited with $?"
read -r left1 top1 count1 < <("$frame_reader" red "$work/clock/frame-00001.png")
read -r left51 top51 count51 < <("$frame_reader" red "$work/clock/frame-00051.png")
echo "red clock at ($left1, $top1) with $count1 pixels, 2 s later at ($left51, $top51) with $count51"
[ "$count1" -gt 50 ] && [ "$count51" -gt 50 ] || fail "the red clock is not in the frames"
awk -v a="$left1" -v b="$top1" -v c="$left51" -v d="$top51" \
  'BEGIN { m = sqrt((c - a) ^ 2 + (d - b) ^ 2); exit !(m >= 15 && m <= 75) }' \
  || fail "the clock did not drift at 30 px/s"
echo "the clock drifts"
