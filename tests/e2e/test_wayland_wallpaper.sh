#!/usr/bin/env bash
# orvanel --wayland-wallpaper under a headless sway with two outputs: the sky
# lies behind an ordinary window (the window's pixels are on top), takes no
# key meant for it, is drawn at an output's scale when that changes, and
# ends on SIGTERM with exit code 0. Then, under weston
# (no layer-shell) and with no compositor at all, the program says what is
# missing and exits with 1.
source "$(dirname "$0")/wayland_lib.sh"
wayland_start_sway 2

as_user_exec "$program" --wayland-wallpaper >"$wl_dir/program.out" 2>&1 &
pid=$!
linux_pids+=("$pid")
for output in HEADLESS-1 HEADLESS-2; do
  wayland_wait_stars "$output" 5 || fail "$output shows no stars: $(cat "$wl_dir/program.out")"
done
echo "the wallpaper shows stars on both outputs"

as_user_exec "$test_wayland_window" >"$wl_dir/window.out" 2>&1 &
linux_pids+=($!)
for _ in $(seq 100); do grep -q shown "$wl_dir/window.out" && break; sleep 0.05; done
grep -q shown "$wl_dir/window.out" || fail "the test window was not shown: $(cat "$wl_dir/window.out")"
# sway tiles the window over the whole focused output, less its border.
wayland_shot HEADLESS-1 "$wl_dir/window.png" || fail "no screenshot of the first output"
window_pixels=$(wayland_pixels colour "$wl_dir/window.png" FF00FF)
echo "the window's colour covers $window_pixels of 576000 pixels of its output"
[ "$window_pixels" -gt 500000 ] || fail "the window is not on top of the wallpaper"
[ "$(wayland_starlight HEADLESS-2 0 599)" -gt 300 ] || fail "the other output lost its sky"

as_user wtype -s 300 -k Escape || fail "wtype could not send a key"
sleep 0.3
kill -0 "$pid" 2>/dev/null || fail "a key meant for the window ended the wallpaper"
echo "keys go to the window, not to the wallpaper"

# At scale 2 the second output is 480x300 logical pixels, drawn in 960x600.
as_user swaymsg output HEADLESS-2 scale 2 >/dev/null || fail "sway did not scale the output"
log=$wl_dir/tmp/Orvanel.keslLog.txt
for _ in $(seq 100); do grep -q "HEADLESS-2: 480x300 at .*, scale 2" "$log" && break; sleep 0.05; done
grep -q "HEADLESS-2: 480x300 at .*, scale 2; sky region .*Width:960, Height:600" "$log" ||
  fail "the scaled output did not get a 960x600 region of the sky"
drawn="Wayland surface drawn at scale 2 in 960x600 buffers"
for _ in $(seq 100); do grep -q "$drawn" "$log" && break; sleep 0.05; done
grep -q "$drawn" "$log" || fail "the scaled output is not drawn at its scale"
wayland_wait_stars HEADLESS-2 5 || fail "the scaled output shows no stars"
echo "at scale 2 the output shows a 960x600 sky in 960x600 buffers"

linux_terminate "$pid"
[ "$exit_code" = 0 ] || fail "SIGTERM gave exit code $exit_code"
echo "SIGTERM ends the wallpaper with exit code 0"

wayland_start_weston
as_user_exec "$program" --wayland >"$wl_dir/weston-run.out" 2>&1 &
pid=$!
orvanel_wait_exit "$pid" 5
[ "$exit_code" = 1 ] || fail "without layer-shell the exit code was $exit_code, not 1"
grep -q "layer-shell" "$wl_dir/weston-run.out" || fail "the message does not name layer-shell: $(cat "$wl_dir/weston-run.out")"
echo "weston: $(cat "$wl_dir/weston-run.out")"

wayland_display=wayland-nobody
as_user "$program" --wayland-wallpaper >"$wl_dir/none.out" 2>&1 && fail "without a compositor the program succeeded"
grep -q "cannot connect to a Wayland compositor" "$wl_dir/none.out" || fail "no compositor: $(cat "$wl_dir/none.out")"
echo "no compositor: $(cat "$wl_dir/none.out")"
