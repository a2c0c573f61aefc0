#!/usr/bin/env bash
# The native program on an X display: into a window someone else made (as
# XScreenSaver hands one over, by --window-id or XSCREENSAVER_WINDOW), onto
# the root window, and in a window of its own. Each run ends on SIGTERM with
# exit code 0 within a second.
source "$(dirname "$0")/linux_lib.sh"
linux_fresh_user
linux_own_display
[ -x "$test_window" ] || fail "no test window helper at $test_window"

start_test_window() {  # W H X Y; sets window_id and window_pid
  local out=$work/window.out
  # The previous window's id must not be read before the new one truncates the file.
  rm -f "$out"
  "$test_window" window "$@" >"$out" &
  window_pid=$!
  linux_pids+=("$window_pid")
  for _ in $(seq 50); do [ -s "$out" ] && break; sleep 0.1; done
  window_id=$(head -1 "$out")
  [ -n "$window_id" ] || fail "the test window did not start"
}

# --window-id: the frame fills the window and nothing outside it.
"$test_window" paint-root
start_test_window 640 480 100 50
"$program" --window-id "$window_id" &
pid=$!
linux_pids+=("$pid")
linux_wait_drawn 640 480 100 50 || fail "--window-id: the window still shows its own background"
[ "$(linux_background_pixels 100 20 100 30)" = 2000 ] || fail "--window-id: drew above the window"
[ "$(linux_background_pixels 20 480 740 50)" = 9600 ] || fail "--window-id: drew right of the window"
linux_terminate "$pid"
[ "$exit_code" = 0 ] || fail "--window-id: SIGTERM gave exit code $exit_code"
kill "$window_pid"; wait "$window_pid" 2>/dev/null || true
echo "--window-id: frame drawn inside the window only; SIGTERM ends it with 0"

# XSCREENSAVER_WINDOW with --root, as XScreenSaver starts its hacks, and the
# window taken away before any signal.
start_test_window 500 400 0 0
XSCREENSAVER_WINDOW=$window_id "$program" --root &
pid=$!
linux_pids+=("$pid")
linux_wait_drawn 500 400 0 0 || fail "XSCREENSAVER_WINDOW: nothing drawn"
[ "$(linux_background_pixels 20 400 500 0)" = 8000 ] || fail "XSCREENSAVER_WINDOW: drew on the real root"
kill "$window_pid"; wait "$window_pid" 2>/dev/null || true
orvanel_wait_exit "$pid" 2
[ "$exit_code" = 0 ] || fail "a vanished window gave exit code $exit_code"
echo "XSCREENSAVER_WINDOW: frame drawn; the program ends with 0 when its window goes"

# --root: the frame covers the whole screen.
"$test_window" paint-root
[ "$(linux_background_pixels 1024 768 0 0)" = $((1024 * 768)) ] || fail "the root was not painted for the check"
"$program" --root &
pid=$!
linux_pids+=("$pid")
linux_wait_drawn 1024 768 0 0 || fail "--root: the root window still shows its background"
linux_terminate "$pid"
[ "$exit_code" = 0 ] || fail "--root: SIGTERM gave exit code $exit_code"
echo "--root: frame covers the screen; SIGTERM ends it with 0"

# --window: a window of its own, closed by the window manager's request or Escape.
own_window() { xdotool search --name '^Orvanel$' 2>/dev/null | head -1 || true; }
for how in close escape interrupt; do
  "$program" --window --size 800x500 &
  pid=$!
  linux_pids+=("$pid")
  id=""
  for _ in $(seq 50); do id=$(own_window); [ -n "$id" ] && break; sleep 0.1; done
  [ -n "$id" ] || fail "--window: no window named Orvanel"
  xwininfo -id "$id" | grep -q 'Width: 800' || fail "--window: not 800 wide: $(xwininfo -id "$id")"
  case $how in
    close) "$test_window" close "$id"; orvanel_wait_exit "$pid" 1 ;;
    escape) xdotool mousemove 400 250 key Escape; orvanel_wait_exit "$pid" 1 ;;
    interrupt) kill -INT "$pid"; orvanel_wait_exit "$pid" 1 ;;
  esac
  [ "$exit_code" = 0 ] || fail "--window ($how): exit code $exit_code"
done
echo "--window: own window of the asked size; closing, Escape and SIGINT end it with 0"

# Failures say what went wrong instead of hanging or crashing.
status=0
"$program" --window-id 0x7ffffff 2>"$work/err" || status=$?
[ "$status" = 1 ] || fail "a window that does not exist gave exit code $status"
grep -q 'no window 0x7ffffff' "$work/err" || fail "unclear message: $(cat "$work/err")"
status=0
DISPLAY=:9999 "$program" --window 2>"$work/err" || status=$?
[ "$status" = 1 ] || fail "a missing display gave exit code $status"
grep -q -- '--headless' "$work/err" || fail "the missing display's message does not point to --headless"
echo "a missing window or display is reported with exit code 1"

# A 16-bit display: every pixel goes through the visual's channel masks.
kill "${linux_pids[0]}"
linux_pids=("${linux_pids[@]:1}")
linux_own_display 16
"$test_window" paint-root
import -window root -crop 1x1+0+0 +repage "$work/corner.png"
test_background=$(convert "$work/corner.png" -depth 8 -format '#%[hex:p{0,0}]' info: | cut -c1-7)
[ "$(linux_background_pixels 1024 768 0 0)" = $((1024 * 768)) ] || fail "16 bits: the root was not painted for the check"
"$program" --root &
pid=$!
linux_pids+=("$pid")
linux_wait_drawn 1024 768 0 0 || fail "16 bits: the root window still shows its background"
linux_terminate "$pid"
[ "$exit_code" = 0 ] || fail "16 bits: SIGTERM gave exit code $exit_code"
echo "16-bit display: frame converted and drawn over the whole root"
