#!/usr/bin/env bash
# The quotes label, headless: nothing of it for the first five seconds, then
# the user's three-line quote growing in one line at a time (one line at
# 6 s, two by 9 s, three by 12 s), drifting upwards, placed inside the quote
# area of the main monitor and away from the moon and its label.
# A first run also leaves the user an empty quotes file to fill.
source "$(dirname "$0")/linux_lib.sh"
source "$(dirname "$0")/quotes_lib.sh"
linux_fresh_user
unset DISPLAY

# The first run, with the defaults, creates the folder and the empty file
# when it shows its first quote.
"$program" --headless --size 960x600 --seconds 6 --every 150 --out "$work/first" >/dev/null || fail "first run exited with $?"
folder="$HOME/.config/Orvanel software"
[ -f "$folder/userQuotes.txt" ] && [ ! -s "$folder/userQuotes.txt" ] || fail "no empty userQuotes.txt after the first run"

quote_settings > "$folder/Orvanel screensaver.ini"
quote_user_file > "$folder/userQuotes.txt"
out=$work/frames
"$program" --headless --size 960x600 --seconds 12.2 --every 5 --out "$out" >/dev/null || fail "headless run exited with $?"
frame() { printf '%s/frame-%05d.png' "$out" $(( 1 + 25 * $1 / 10 )); }  # TENTHS OF SECONDS
log=$(tr -d '\r' < "$TMPDIR/Orvanel.keslLog.txt")
grep -q "Adding user quote:Look up at the stars|and not down at your feet|(Stephen Hawking)" <<<"$log" ||
  fail "the user's quote was not loaded"
grep -q "cQuotes::quotesList() loaded 348 quotes" <<<"$log" || fail "the collection does not hold 347 + 1 quotes"

for t in 0 10 20 30 40 48; do
  read -r n _ < <(quote_ink "$(frame $t)")
  [ "$n" = 0 ] || fail "quote pixels at $((t / 10)).$((t % 10)) s, before the first quote is due"
done
first=""
for t in 50 52 54 56 58 60 62 64; do
  read -r n _ < <(quote_ink "$(frame $t)")
  if [ "$n" -gt 0 ]; then first=$t; break; fi
done
[ -n "$first" ] || fail "no quote by 6.4 s"
echo "the first quote shows at $((first / 10)).$((first % 10)) s"

read -r n6 l6 t6 r6 b6 < <(quote_ink "$(frame 64)")
read -r n9 l9 t9 r9 b9 < <(quote_ink "$(frame 90)")
read -r n12 l12 t12 r12 b12 < <(quote_ink "$(frame 120)")
echo "quote ink: $n6 pixels in rows $t6-$b6 at 6.4 s, $n9 in $t9-$b9 at 9 s, $n12 in $t12-$b12 at 12 s"
# Lines stand 28 pixels apart: one line is less than 28 rows of ink, two less than 56.
[ $(( b6 - t6 )) -lt 28 ] || fail "more than one line at 6.4 s"
[ $(( b9 - t9 )) -ge 28 ] && [ $(( b9 - t9 )) -lt 56 ] || fail "not two lines at 9 s"
[ $(( b12 - t12 )) -ge 56 ] || fail "not three lines at 12 s"
# 7 to 12 pixels per second upwards: 18 to 31 pixels in 2.6 s, unless it met the top and bounced.
rise=$(( t6 - t9 ))
if [ "$t6" -gt 40 ]; then
  [ "$rise" -ge 15 ] && [ "$rise" -le 34 ] || fail "the quote rose $rise pixels from 6.4 to 9 s"
fi
# Placed 20 pixels inside the quote area (10 pixels in from the sides); later it may drift anywhere on the monitor.
[ "$l6" -ge 30 ] && [ "$r12" -lt 950 ] && [ "$b9" -lt 580 ] || fail "the quote was placed outside the quote area (left $l6 at 6.4 s, right $r12 at 12 s, bottom $b9 at 9 s)"

# Away from the moon: the disc and the label under it, as placed (the quote
# may drift into them later, while it rises).
quote_clear_of_moon "$(frame 90)" "$l6 $t6 $r6 $b6" "$l9 $t9 $r9 $b9" || fail "the quote was placed over the moon"
echo "the quote grows in line by line, drifts up ($rise pixels from 6.4 to 9 s), away from the moon"

# Ten minutes of the built-in quotes on the sky of 1280x800 with the large
# moon: no quote, rising and growing as it vanishes, ever runs through the
# moon or its label. Frames every 3 s keep the check short; a quote takes
# seconds to rise through the label. The release build, when there is one,
# renders the ten minutes in a fraction of the debug build's time.
printf 'background=0\r\nshowClock=no\r\n' > "$folder/Orvanel screensaver.ini"
fast_program=$ORVANEL_SOURCE_DIR/build/native-release/orvanel
[ -x "$fast_program" ] || fast_program=$program
long=$work/ten-minutes
rm -f "$TMPDIR/Orvanel.keslLog.txt"
"$fast_program" --headless --size 1280x800 --seconds 600 --every 75 --out "$long" >/dev/null || fail "ten-minute run exited with $?"
report=$(cd "$long" && /usr/bin/python3 "$(dirname "$0")/moon_frame.py" quotes frame-00076.png frame-14926.png 594 frame-*.png) \
  || fail "cannot read the ten-minute frames"
read -r frames quoted covering <<<"$(head -1 <<<"$report")"
quotes_shown=$(grep -c "selecting random position for quote" "$TMPDIR/Orvanel.keslLog.txt")
# Where no place keeps a quote clear, the program takes the least covering one and says so.
uncleared=$(grep -c "no place keeps the quote clear" "$TMPDIR/Orvanel.keslLog.txt" || true)
echo "ten minutes: $quotes_shown quotes ($uncleared without a clear place), $quoted of $frames frames with quote ink, $covering over the moon or its label"
[ "$quoted" -gt 20 ] || fail "hardly any quote in ten minutes ($quoted frames)"
[ "$covering" = 0 ] || [ "$uncleared" -gt 0 ] || fail "quote ink over the moon or its label: $(tail -n +2 <<<"$report" | head -3)"
