#!/usr/bin/env bash
# "/s" writes the default messages in stars: the sky alone at the start, the
# stars on their way at 5 and 10 s, "Your message" / "here" settled in the
# lower part of the screen once the cyan bottom line enters from the right
# (20 s into the transition), the line crossing leftwards, then the second
# message. Animation time follows the frame timer, which may run late under
# Wine, so the later steps are waited for rather than timed; the waits allow
# about half again the animation's own times (the line at 20 s, the second
# message near 66 s), since a frame takes a few milliseconds.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/msg_lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
scr=$(orvanel_scr)
orvanel_keep_wine_settings

# A black sky without moon and clock, so starlight is only stars; no messages
# yet, so the defaults come.
printf 'background=0\r\nshowMoon=no\r\nshowClock=no\r\n' > "$ini"
screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
width=${screen%x*}
height=${screen#*x}
low=$(( height * 3 / 10 )) bottom=$(( height - 1 )) line_top=$(( height * 9 / 10 ))

xdotool mousemove 20 20
wine "$scr" /s &
pid=$!
orvanel_wait_window || { orvanel_stop "$pid"; fail "no screensaver window"; }
SECONDS=0
shot() { import -window root "$artifacts/messages-$1.png"; echo "$artifacts/messages-$1.png"; }
at() { while [ "$SECONDS" -lt "$1" ]; do sleep 0.2; done; }
# Read with grep, never grep -q: a grep that stops at the first match leaves
# tr writing into a closed pipe, and under pipefail a find becomes a failure.
log() { tr -d '\r' < "$(orvanel_log_file)"; }
stop_and_fail() { orvanel_stop "$pid"; fail "$@"; }
# Takes shots named NAME until the bottom line shows (or LIMIT seconds have
# passed); sets line_shot and line_left.
wait_for_line() {  # NAME LIMIT
  local cyan left
  line_shot=""
  while [ "$SECONDS" -lt "$2" ]; do
    shot "$1" >/dev/null
    read -r cyan left < <(msg_cyan "$artifacts/messages-$1.png" "$line_top" "$bottom")
    if [ "$cyan" -gt 20 ]; then line_shot=$artifacts/messages-$1.png line_left=$left; return; fi
    sleep 0.5
  done
}

at 1; first=$(shot 0s)
at 5; five=$(shot 5s)
at 10; ten=$(shot 10s)

# The line enters once the stars have settled: 20 s of animation at the earliest.
wait_for_line 20s 45
[ -n "$line_shot" ] || stop_and_fail "the bottom line never showed"
entered=$line_shot entered_left=$line_left entered_at=$SECONDS
sleep 2
read -r _ later_left < <(msg_cyan "$(shot scrolled)" "$line_top" "$bottom")
echo "bottom line entered at x=$entered_left after $entered_at s, at x=$later_left two seconds later"
[ "$entered_at" -ge 20 ] || stop_and_fail "the bottom line came before 20 s"
[ "$later_left" -lt "$entered_left" ] || stop_and_fail "the bottom line did not scroll left"

for f in "$first" "$five" "$ten"; do
  read -r cyan _ < <(msg_cyan "$f" 0 "$bottom")
  [ "$cyan" = 0 ] || stop_and_fail "the bottom line showed in $f before the stars settled"
done
read -r stars0 _ < <(msg_starlight "$first" "$low" "$bottom")
read -r stars20 _ < <(msg_starlight "$entered" "$low" "$bottom")
moving=$(orvanel_differing_pixels "$five" "$ten")
echo "starlight in the lower screen: $stars0 pixels at the start, $stars20 once the line entered"
echo "pixels changed between 5 and 10 s: $moving"
[ $(( stars20 - stars0 )) -gt 600 ] || stop_and_fail "no message in the lower screen"
[ "$moving" -gt 1000 ] || stop_and_fail "the stars were not flying between 5 and 10 s"
at 40; shot 40s >/dev/null

# The second message, then its own bottom line once its stars have settled.
while [ "$SECONDS" -lt 100 ] && ! log | grep -F "project(Orvanel" >/dev/null; do sleep 1; done
log | grep -F "project(Orvanel" >/dev/null || stop_and_fail "the second message never came"
second_at=$SECONDS
wait_for_line second 110
[ -n "$line_shot" ] || stop_and_fail "the second bottom line never showed"
changed=$(msg_rows_differ "$entered" "$line_shot" "$low" "$bottom")
echo "second message after $second_at s, settled after $SECONDS s; the lower screen differs in $changed pixels from the first"
[ "$changed" -gt 1000 ] || stop_and_fail "the second message did not replace the first"

xdotool key space
orvanel_wait_exit "$pid" 3
[ "$exit_code" = 0 ] || stop_and_fail "the run did not end on a key: $exit_code"
log | grep -F "su_YY=0, su_YN=0, su_NY=" >/dev/null || fail "the first transition did not start from an empty sky"
frames=$(log | grep -Eo 'Frames: [0-9]+ in [0-9]+\.[0-9] s, average [0-9]+\.[0-9] ms, slowest [0-9]+\.[0-9] ms') ||
  fail "the run did not end with its frame times"
echo "$frames"
echo "the default messages are written in stars with their bottom lines under Wine"
