#!/usr/bin/env bash
# orvanel --wayland under a headless sway with two outputs, through a proxy
# that tells the program the second output's global is gone, as unplugging a
# monitor does (sway itself can only disable one, which keeps its global).
# The run goes on: the first output keeps drawing, the start effect and the
# keep-awake request come once for the whole run, and a key still ends it
# with exit code 0.
source "$(dirname "$0")/wayland_lib.sh"
wayland_start_sway 2

proxy=$wl_dir/bin/wayland_unplug_proxy.py
mkdir -p "$wl_dir/bin"
cp "$ORVANEL_SOURCE_DIR/tests/e2e/wayland_unplug_proxy.py" "$proxy"
chmod a+rx "$wl_dir/bin" "$proxy"
as_user_exec /usr/bin/python3 "$proxy" "$wl_dir/runtime/wayland-proxy" "$wl_dir/runtime/$wayland_display" \
  "$wl_dir/unplug" 2 >"$wl_dir/proxy.out" 2>&1 &
linux_pids+=($!)
wayland_wait_socket wayland-proxy "$wl_dir/proxy.out"

ini="$wl_dir/home/.config/Orvanel software/Orvanel screensaver.ini"
mkdir -p "$(dirname "$ini")"
printf 'startupEffect=1\r\npreventComputerSleep_permanently=yes\r\n' > "$ini"
[ "$(id -u)" -ne 0 ] || chown -R "$wayland_user:" "$wl_dir/home"
log=$wl_dir/tmp/Orvanel.keslLog.txt

sway_display=$wayland_display
wayland_display=wayland-proxy
as_user_exec "$program" --wayland --moon none --no-clock >"$wl_dir/program.out" 2>&1 &
pid=$!
linux_pids+=("$pid")
wayland_display=$sway_display
for output in HEADLESS-1 HEADLESS-2; do
  wayland_wait_stars "$output" 8 || fail "$output shows no stars: $(cat "$wl_dir/program.out")"
done

touch "$wl_dir/unplug"
for _ in $(seq 100); do grep -q "Wayland output HEADLESS-2 is gone" "$log" 2>/dev/null && break; sleep 0.05; done
grep -q "Wayland output HEADLESS-2 is gone" "$log" || fail "the program did not see the output go: $(cat "$wl_dir/proxy.out")"
kill -0 "$pid" 2>/dev/null || fail "the run ended when an output went: $(cat "$wl_dir/program.out")"

# The first output goes on drawing: its stars twinkle from one second to the next.
wayland_shot HEADLESS-1 "$wl_dir/after-1.ppm" || fail "no picture of the first output"
sleep 1
wayland_shot HEADLESS-1 "$wl_dir/after-2.ppm" || fail "no picture of the first output"
[ "$(wayland_pixels starlight "$wl_dir/after-2.ppm" 0 $(( wayland_output_height - 1 )))" -gt 300 ] \
  || fail "the first output shows no stars after the second went"
cmp -s "$wl_dir/after-1.ppm" "$wl_dir/after-2.ppm" && fail "the first output stopped drawing when the second went"
echo "the first output goes on drawing after the second is unplugged"

as_user wtype -s 300 -k Escape || fail "wtype could not send a key"
wayland_wait_exit_ms "$pid" 1000
[ "$exit_code" = 0 ] || fail "a key did not end the run with 0 (exit code: $exit_code)"

effects=$(grep -c "cWindowTransitionEffect_OldTV.initWithWindow" "$log" || true)
requests=$(grep -c "cPreventComputerSleep calls preventIdleSleep() to keep power ON" "$log" || true)
[ "$effects" = 1 ] || fail "the start effect played $effects times in one run"
[ "$requests" = 1 ] || fail "keep-awake was asked $requests times in one run"
echo "one start effect and one keep-awake request for the whole run; a key ended it with exit code 0"
