#!/usr/bin/env bash
# orvanel --wayland under a headless sway with two outputs: both show stars,
# the first writes the message by 25 s, an output added during the run gets
# its own sky within a second, and a key ends the run with exit code 0
# within half a second. In a second run, a pointer move of 4 pixels is
# jitter and one of more ends it the same way; in a third, a click does.
source "$(dirname "$0")/wayland_lib.sh"
wayland_start_sway 2

# Without the moon and the clock, starlight is only stars.
as_user_exec "$program" --wayland --moon none --no-clock >"$wl_dir/program.out" 2>&1 &
pid=$!
linux_pids+=("$pid")
started=$(date +%s)
for output in HEADLESS-1 HEADLESS-2; do
  wayland_wait_stars "$output" 5 || fail "$output shows no stars: $(cat "$wl_dir/program.out")"
done
# Where the message lands: the lower 70 % of the first output.
low=$(( wayland_output_height * 3 / 10 )) bottom=$(( wayland_output_height - 1 ))
first0=$(wayland_starlight HEADLESS-1 $low $bottom)
second0=$(wayland_starlight HEADLESS-2 $low $bottom)
echo "both outputs show stars; lower starlight $first0 and $second0 pixels at the start"

message=0
while [ $(( $(date +%s) - started )) -le 25 ]; do
  first=$(wayland_starlight HEADLESS-1 $low $bottom)
  if [ $(( first - first0 )) -gt 600 ]; then message=1; break; fi
  sleep 1
done
second=$(wayland_starlight HEADLESS-2 $low $bottom)
echo "after $(( $(date +%s) - started )) s: lower starlight $first on the first output, $second on the second"
[ "$message" = 1 ] || fail "no message on the first output by 25 s"
[ $(( second - second0 )) -lt 300 ] || fail "the second output got message stars too"

as_user swaymsg create_output >/dev/null || fail "sway did not add an output"
added=$(date +%s%N)
wayland_wait_stars HEADLESS-3 5 || fail "the added output got no sky"
added_ms=$(( (stars_seen_at - added) / 1000000 ))
echo "the added output shows stars $added_ms ms after it came"
[ "$added_ms" -le 1000 ] || fail "the added output took more than a second to show its sky"
grep -q "Wayland output HEADLESS-3" "$wl_dir/tmp/Orvanel.keslLog.txt" || fail "the log does not name the added output"

# wtype's virtual keyboard must exist for a moment before its key, or no
# client could have bound it; the time counts from the key.
as_user wtype -s 300 -k Escape || fail "wtype could not send a key"
wayland_wait_exit_ms "$pid" 500
[ "$exit_code" = 0 ] || fail "a key did not end the run with 0 within 0.5 s (exit code: $exit_code)"
echo "a key ended the run with exit code 0 after $exit_ms ms"
grep -q "Wayland: closed by a key" "$wl_dir/tmp/Orvanel.keslLog.txt" || fail "the log does not say a key ended the run"

as_user_exec "$program" --wayland --moon none --no-clock >"$wl_dir/program.out" 2>&1 &
pid=$!
linux_pids+=("$pid")
wayland_wait_stars HEADLESS-1 5 || fail "the second run shows no stars"
# One pixel, then three more: four in all from where the sky first saw the pointer.
as_user "$test_wayland_window" move 2 1 || fail "the pointer could not be moved"
sleep 0.3
kill -0 "$pid" 2>/dev/null || fail "a pointer move of 4 pixels ended the run"
as_user "$test_wayland_window" move 5 0 || fail "the pointer could not be moved"
wayland_wait_exit_ms "$pid" 500
[ "$exit_code" = 0 ] || fail "a pointer move did not end the run with 0 within 0.5 s (exit code: $exit_code)"
echo "a move of 4 pixels is jitter; a longer one ended the run with exit code 0 after $exit_ms ms"

as_user_exec "$program" --wayland --moon none --no-clock >"$wl_dir/program.out" 2>&1 &
pid=$!
linux_pids+=("$pid")
wayland_wait_stars HEADLESS-1 5 || fail "the third run shows no stars"
as_user "$test_wayland_window" click || fail "the pointer could not click"
wayland_wait_exit_ms "$pid" 500
[ "$exit_code" = 0 ] || fail "a click did not end the run with 0 within 0.5 s (exit code: $exit_code)"
echo "a click ended the run with exit code 0 after $exit_ms ms"
