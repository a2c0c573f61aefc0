#!/usr/bin/env bash
# The native program without a display: 960x600 for 4 seconds of animation
# gives one PNG frame per second, each a valid picture of that size, and the
# sky moves from one to the next. A bad command line is refused with exit
# code 2; SIGTERM ends a long run with 0 within a second.
source "$(dirname "$0")/linux_lib.sh"
linux_fresh_user
unset DISPLAY

out=$work/frames
"$program" --headless --size 960x600 --seconds 4 --out "$out" >"$work/stdout" || fail "headless run exited with $?"
grep -q "written to $out" "$work/stdout" || fail "the run does not say where the frames are: $(cat "$work/stdout")"
mapfile -t frames < <(ls "$out")
[ "${frames[*]}" = "frame-00001.png frame-00026.png frame-00051.png frame-00076.png" ] \
  || fail "unexpected frames: ${frames[*]}"
for f in "${frames[@]}"; do
  [ "$(identify -format '%m %w %h' "$out/$f")" = "PNG 960 600" ] || fail "$f is not a 960x600 PNG"
done

# The stars drift and twinkle, so no two seconds of sky look the same.
first=$out/${frames[0]} last=$out/${frames[3]}
changed=$(orvanel_differing_pixels "$first" "$last")
[ "$changed" -gt 0 ] || fail "frames 1 and 76 show the same sky: nothing moved"
echo "frames 1 and 76 differ in $changed pixels"
echo "headless: four 960x600 PNG frames for four seconds"

status=0
"$program" --headless --size 960by600 2>"$work/err" || status=$?
[ "$status" = 2 ] || fail "a bad size gave exit code $status"
grep -q 'WIDTHxHEIGHT' "$work/err" || fail "unclear message for a bad size: $(cat "$work/err")"
status=0
"$program" --seconds 3 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "--seconds without --headless gave exit code $status"
echo "bad command lines: exit code 2 with a message"

"$program" --headless --size 320x200 --seconds 3600 --out "$work/long" >/dev/null &
pid=$!
linux_pids+=("$pid")
for _ in $(seq 100); do [ -e "$work/long/frame-00026.png" ] && break; sleep 0.1; done
[ -e "$work/long/frame-00026.png" ] || fail "the long run wrote no frames"
linux_terminate "$pid"
[ "$exit_code" = 0 ] || fail "SIGTERM during a headless run gave exit code $exit_code"
echo "SIGTERM ends a headless run with exit code 0"
