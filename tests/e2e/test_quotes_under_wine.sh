#!/usr/bin/env bash
# "/s" shows the user's three-line quote about 5 s after the start, one line
# at a time, drifting upwards, away from the moon and its label. Animation time follows the frame timer, which may run late under
# Wine, so the steps are waited for within generous limits.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/quotes_lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
scr=$(orvanel_scr)
orvanel_keep_wine_settings

quotes_file="$(dirname "$ini")/userQuotes.txt"
if [ -f "$quotes_file" ]; then cp "$quotes_file" "$work/saved-quotes.txt"; fi
restore_quotes() { if [ -f "$work/saved-quotes.txt" ]; then cp "$work/saved-quotes.txt" "$quotes_file"; else rm -f "$quotes_file"; fi; }
trap 'restore_quotes; orvanel_restore_wine_settings; wineserver -k 2>/dev/null || true; [ -n "${ORVANEL_XVFB_PID:-}" ] && kill $ORVANEL_XVFB_PID 2>/dev/null || true' EXIT

quote_settings > "$ini"
quote_user_file > "$quotes_file"

xdotool mousemove 20 20
wine "$scr" /s &
pid=$!
orvanel_wait_window || { orvanel_stop "$pid"; fail "no screensaver window"; }
SECONDS=0
stop_and_fail() { orvanel_stop "$pid"; fail "$@"; }
shot() { import -window root "$artifacts/quotes-$1.png"; echo "$artifacts/quotes-$1.png"; }

# Nothing of the quote in the first seconds; then shots until it shows.
for t in 1 2 3; do
  while [ "$SECONDS" -lt "$t" ]; do sleep 0.2; done
  read -r n _ < <(quote_ink "$(shot "${t}s")")
  [ "$n" = 0 ] || stop_and_fail "quote pixels after $t s, before the first quote is due"
done
first_at=""
while [ "$SECONDS" -lt 40 ]; do
  read -r n l t r b < <(quote_ink "$(shot first)")
  if [ "$n" -gt 0 ]; then first_at=$SECONDS; break; fi
  sleep 0.3
done
[ -n "$first_at" ] || stop_and_fail "no quote within 40 s"
echo "the first quote shows after $first_at s: rows $t-$b"
[ "$first_at" -ge 4 ] || stop_and_fail "the first quote came before 4 s"
[ $(( b - t )) -lt 28 ] || stop_and_fail "more than one line at first"
first_top=$t first_box="$l $t $r $b"

two_at=""
while [ "$SECONDS" -lt $(( first_at + 30 )) ]; do
  read -r n l t r b < <(quote_ink "$(shot second)")
  if [ $(( b - t )) -ge 28 ]; then two_at=$SECONDS; break; fi
  sleep 0.3
done
[ -n "$two_at" ] || stop_and_fail "the second line never showed"
echo "two lines after $two_at s: rows $t-$b"
[ "$t" -lt "$first_top" ] || [ "$first_top" -lt 40 ] || stop_and_fail "the quote did not drift up"
quote_clear_of_moon "$artifacts/quotes-second.png" "$first_box" "$l $t $r $b" ||
  stop_and_fail "the quote was placed over the moon"

xdotool key space
orvanel_wait_exit "$pid" 3
[ "$exit_code" = 0 ] || stop_and_fail "the run did not end on a key: $exit_code"
log=$(tr -d '\r' < "$(orvanel_log_file)")
grep -q "Adding user quote:Look up at the stars|and not down at your feet|(Stephen Hawking)" <<<"$log" ||
  fail "the user's quote was not loaded"
echo "the user's quote grows in line by line, drifts up, away from the moon under Wine"
