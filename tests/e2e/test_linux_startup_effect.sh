#!/usr/bin/env bash
# With startupEffect=1 the run opens with an old TV switching off before the
# sky starts. Headless frames, one per 0.04 s, show it frame by frame: the
# near-black bars closing from the top and bottom, the white line shrinking
# to the centre, the shrinking dot, then the sky. On an X display the same
# effect is shown on the root window, as it is drawn straight on the window.
source "$(dirname "$0")/linux_lib.sh"
linux_fresh_user
unset DISPLAY

ini="$HOME/.config/Orvanel software/Orvanel screensaver.ini"
mkdir -p "$(dirname "$ini")"
printf 'startupEffect=1\r\n' > "$ini"

# How many pixels of a picture have the colour #RRGGBB.
colour_pixels() {  # FILE COLOUR
  convert "$1" -depth 8 -format %c histogram:info:- | awk -v c="$2" \
    'toupper($3) == c { sub(":", "", $1); n += $1 } END { print n + 0 }'
}
pixel() {  # FILE X Y -> #RRGGBB
  convert "$1" -crop "1x1+$2+$3" +repage -depth 8 -format '#%[hex:p{0,0}]' info: | cut -c1-7
}

fill='#050510'
white='#FFFFFF'
width=640
height=480
pixels=$(( width * height ))
out=$work/frames
"$program" --headless --size "${width}x${height}" --seconds 1.2 --every 1 --out "$out" >/dev/null \
  || fail "headless run exited with $?"
frame() { printf '%s/frame-%05d.png' "$out" "$1"; }

# Frames 1 to 10: bars of 24, 48, ... 240 rows from each edge; the middle is still the dark window.
for k in $(seq 10); do
  bar=$(( 24 * k ))
  expected=$(( 2 * bar * width ))
  [ "$expected" -le "$pixels" ] || expected=$pixels
  got=$(colour_pixels "$(frame "$k")" "$fill")
  [ "$got" = "$expected" ] || fail "frame $k: $got pixels of the bars' colour, expected $expected"
  [ "$(pixel "$(frame "$k")" 320 $(( bar - 1 )))" = "$fill" ] || fail "frame $k: the top bar does not reach row $(( bar - 1 ))"
  [ "$(pixel "$(frame "$k")" 320 $(( height - bar )))" = "$fill" ] || fail "frame $k: the bottom bar does not reach row $(( height - bar ))"
done
echo "frames 1-10: the bars close in 24 rows a frame from the top and the bottom"

# Frames 11 to 19: a white line on row 240, 80 pixels shorter each frame, centred.
for k in $(seq 11 19); do
  length=$(( width - 80 * (k - 11) ))
  white_got=$(colour_pixels "$(frame "$k")" "$white")
  fill_got=$(colour_pixels "$(frame "$k")" "$fill")
  [ "$white_got" = "$length" ] || fail "frame $k: a line of $white_got pixels, expected $length"
  [ "$fill_got" = $(( pixels - length )) ] || fail "frame $k: the rest is not all dark ($fill_got)"
  if [ "$length" -gt 0 ]; then
    [ "$(pixel "$(frame "$k")" $(( 40 * (k - 11) )) 240)" = "$white" ] || fail "frame $k: the line does not start where expected"
  fi
done
echo "frames 11-19: the line shrinks by 40 pixels at each end towards the centre"

# Frames 20 to 25: a white dot at the centre, smaller every frame.
previous=$pixels
for k in $(seq 20 25); do
  dot=$(colour_pixels "$(frame "$k")" "$white")
  [ "$dot" -gt 0 ] && [ "$dot" -lt "$previous" ] || fail "frame $k: the dot has $dot pixels after $previous"
  [ "$(pixel "$(frame "$k")" 320 240)" = "$white" ] || fail "frame $k: the dot is not at the centre"
  previous=$dot
done
[ "$(colour_pixels "$(frame 26)" "$fill")" = "$pixels" ] || fail "frame 26: the dot has not vanished into the dark"
echo "frames 20-26: the dot shrinks at the centre and vanishes"

# Frame 27 on: the sky, moving; a dim pixel of the sky may happen to have the effect's colour.
for k in 27 30; do
  [ "$(colour_pixels "$(frame "$k")" "$fill")" -lt $(( pixels / 100 )) ] || fail "frame $k: the effect's colour is still there"
  [ "$(colour_pixels "$(frame "$k")" "$white")" -gt 0 ] || fail "frame $k: no stars"
done
changed=$(orvanel_differing_pixels "$(frame 27)" "$(frame 30)")
[ "$changed" -gt 0 ] || fail "the sky does not move after the effect"
echo "frames 27-30: the sky, moving ($changed pixels changed)"

# Every X11 host shows the effect, drawn with the back buffer off, then the
# sky: on the root window, in a window handed over as XScreenSaver does, and
# in the program's own window. Screenshots are slower than frames, so only the
# dark colour and then its end are required of them.
linux_own_display
watch_effect() {  # LABEL W H X Y
  local label=$1 w=$2 h=$3 x=$4 y=$5 shot fill_got saw="" few
  few=$(( w * h / 100 ))
  for shot in $(seq 60); do
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$work/shot.png"
    fill_got=$(colour_pixels "$work/shot.png" "$fill")
    [ "$fill_got" -ge "$few" ] && saw=yes
    if [ -n "$saw" ] && [ "$fill_got" -lt "$few" ]; then break; fi
  done
  [ -n "$saw" ] || fail "$label: the effect's dark colour never showed"
  [ "$fill_got" -lt "$few" ] || fail "$label: the sky did not follow the effect ($fill_got dark pixels left)"
  [ "$(linux_background_pixels "$w" "$h" "$x" "$y")" = 0 ] || fail "$label: part of the window was never drawn"
  echo "$label: the effect shows ($shot screenshots), then the sky"
}

"$test_window" paint-root
"$program" --root &
pid=$!
linux_pids+=("$pid")
watch_effect "--root" 1024 768 0 0
linux_terminate "$pid"
[ "$exit_code" = 0 ] || fail "--root: SIGTERM gave exit code $exit_code"

"$test_window" paint-root
"$test_window" window 640 480 100 50 >"$work/window.out" &
window_pid=$!
linux_pids+=("$window_pid")
for _ in $(seq 50); do [ -s "$work/window.out" ] && break; sleep 0.1; done
window_id=$(head -1 "$work/window.out")
[ -n "$window_id" ] || fail "the test window did not start"
XSCREENSAVER_WINDOW=$window_id "$program" --root &
pid=$!
linux_pids+=("$pid")
watch_effect "XSCREENSAVER_WINDOW" 640 480 100 50
linux_terminate "$pid"
[ "$exit_code" = 0 ] || fail "XSCREENSAVER_WINDOW: SIGTERM gave exit code $exit_code"
kill "$window_pid"; wait "$window_pid" 2>/dev/null || true

"$test_window" paint-root
"$program" --window --size 800x500 &
pid=$!
linux_pids+=("$pid")
id=""
for _ in $(seq 50); do id=$(xdotool search --name '^Orvanel$' 2>/dev/null | head -1 || true); [ -n "$id" ] && break; sleep 0.1; done
[ -n "$id" ] || fail "--window: no window named Orvanel"
geometry=$(xwininfo -id "$id")
left=$(awk '/Absolute upper-left X/ {print $4}' <<<"$geometry")
top=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$geometry")
watch_effect "--window" 800 500 "$left" "$top"
linux_terminate "$pid"
[ "$exit_code" = 0 ] || fail "--window: SIGTERM gave exit code $exit_code"
