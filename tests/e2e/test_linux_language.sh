#!/usr/bin/env bash
# The sky speaks the system's language: a headless run with LANG=de_DE.UTF-8
# shows the moon's label in German. The label is read back with a German OCR
# and compared with the German file's own words for that moment: the phase
# name and the next full moon's date in German order ("20. April, 22:27").
source "$(dirname "$0")/linux_lib.sh"
linux_fresh_user
unset DISPLAY LC_ALL LC_MESSAGES
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
export TZ=UTC
command -v tesseract >/dev/null && tesseract --list-langs 2>/dev/null | grep -qx deu ||
  fail "tesseract with German is missing (scripts/setup.sh installs tesseract-ocr-deu)"
german=$ORVANEL_SOURCE_DIR/resources/lang/Orvanel.DE.txt
word() { tr -d '\r' < "$german" | sed -n "s/^trn\.$1=//p"; }

ini="$HOME/.config/Orvanel software/Orvanel screensaver.ini"
mkdir -p "$(dirname "$ini")"
printf 'background=0\r\nshowClock=no\r\nmoonSize=200\r\n' > "$ini"
# A waxing crescent ten days before the full moon of 20 April 2027, 22:27 UTC.
LANG=de_DE.UTF-8 faketime -f "2027-04-10 22:00:00" "$program" --headless --size 960x600 --seconds 3 --out "$work/de" \
  >/dev/null || fail "the German headless run failed"
grep -q 'loading translations from file:.*Orvanel\.DE\.txt' <(tr -d '\r' < "$TMPDIR/Orvanel.keslLog.txt") ||
  fail "LANG=de_DE.UTF-8 did not load the German file"
/usr/bin/python3 "$(dirname "$0")/moon_frame.py" label "$work/de/frame-00051.png" "$work/label.png" ||
  fail "no moon label in the frame"
read_text=$(tesseract "$work/label.png" - -l deu --psm 6 2>/dev/null | tr -s ' \n' ' ')
echo "the label reads: $read_text"

phase=$(word 'Waxing Crescent Moon')
date=$(word 'Date and time' | sed -e "s/{day}/20/; s/{day2}/20/; s/{month}/$(word April)/; s/{hour}/22/; s/{minute}/27/")
[ -n "$phase" ] && [ -n "$date" ] || fail "the German file lacks the phase name or the date format"
grep -qF "$phase" <<<"$read_text" || fail "the label does not name the phase '$phase': '$read_text'"
grep -qF "$date" <<<"$read_text" || fail "the label does not date the full moon '$date': '$read_text'"
! grep -qE 'Waxing|Next full moon|degrees' <<<"$read_text" || fail "English is left in the label: '$read_text'"
echo "the German system's sky says '$phase' and '$date'"
