# Shared set-up of the Wayland checks: a headless compositor of their own
# (sway, or weston for one without layer-shell) with the program and the
# tools run as an ordinary user, since sway refuses to start as root and CI
# runs as root. scripts/setup.sh makes the user. Every wait ends on the event
# it waits for, with a bound.
source "$(dirname "${BASH_SOURCE[0]}")/linux_lib.sh"
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK

wayland_user=orvanel-test
test_wayland_window=$ORVANEL_NATIVE_BUILD_DIR/tests/orvanel_wayland_test_window
[ -x "$test_wayland_window" ] || fail "no Wayland test window at $test_wayland_window"

# The user's corner of the work folder: home, temporary folder, screenshots,
# and the runtime folder Wayland wants private (0700) to its user.
chmod 711 "$work"
wl_dir=$work/wayland
mkdir -p "$wl_dir/home" "$wl_dir/tmp" "$wl_dir/runtime"
chmod 700 "$wl_dir/runtime"
if [ "$(id -u)" -eq 0 ]; then
  id "$wayland_user" >/dev/null 2>&1 || fail "no user $wayland_user (scripts/setup.sh makes it)"
  chown -R "$wayland_user:" "$wl_dir"
fi
wayland_display=
swaysock=

# Runs a command as the test user in the compositor's session, in place of
# the calling shell: started with &, $! is the command itself, so its exit
# code and the signals sent to it are its own (setpriv and env exec too).
as_user_exec() {
  local run=() session=()
  if [ "$(id -u)" -eq 0 ]; then run=(setpriv --reuid="$wayland_user" --regid="$wayland_user" --clear-groups); fi
  # sway would take a SWAYSOCK given at its own start as the place for its socket.
  [ -n "$wayland_display" ] && session+=(WAYLAND_DISPLAY="$wayland_display")
  [ -n "${swaysock:-}" ] && session+=(SWAYSOCK="$swaysock")
  exec "${run[@]}" env -i PATH=/usr/bin:/bin HOME="$wl_dir/home" TMPDIR="$wl_dir/tmp" XDG_RUNTIME_DIR="$wl_dir/runtime" \
    "${session[@]}" "$@"
}
# The same for a command the caller waits for.
as_user() { ( as_user_exec "$@" ); }

# A build in a folder the test user cannot enter (a checkout under /root) is
# copied, with its translations and the test window, where the user can.
if ! as_user test -x "$program" || ! as_user test -x "$test_wayland_window"; then
  mkdir -p "$wl_dir/bin"
  cp "$program" "$(dirname "$program")"/Orvanel.*.txt "$test_wayland_window" "$wl_dir/bin/"
  chmod -R a+rX "$wl_dir/bin"
  program=$wl_dir/bin/orvanel
  test_wayland_window=$wl_dir/bin/$(basename "$test_wayland_window")
fi

wayland_wait_socket() {  # NAME LOG
  for _ in $(seq 100); do [ -S "$wl_dir/runtime/$1" ] && return 0; sleep 0.05; done
  fail "the compositor did not open $1: $(tail -5 "$2")"
}

# A headless sway with OUTPUTS outputs (and any added later) of 960x600,
# software rendering and no input devices.
wayland_output_height=600
wayland_start_sway() {  # OUTPUTS
  printf 'xwayland disable\noutput * mode 960x600\n' > "$wl_dir/sway.conf"
  wayland_display= swaysock=
  as_user_exec WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS="$1" WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$wl_dir/sway.conf" >"$wl_dir/sway.log" 2>&1 &
  linux_pids+=($!)
  wayland_display=wayland-1
  wayland_wait_socket "$wayland_display" "$wl_dir/sway.log"
  local sockets
  for _ in $(seq 100); do
    sockets=("$wl_dir"/runtime/sway-ipc.*.sock)
    swaysock=${sockets[0]}
    [ -S "$swaysock" ] && as_user swaymsg -t get_outputs >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  fail "sway did not answer on its socket: $(tail -5 "$wl_dir/sway.log")"
}

wayland_start_weston() {
  as_user_exec weston --backend=headless-backend.so --socket=wayland-weston --idle-time=0 >"$wl_dir/weston.log" 2>&1 &
  linux_pids+=($!)
  wayland_display=wayland-weston
  wayland_wait_socket "$wayland_display" "$wl_dir/weston.log"
}

# A screenshot of one output (PPM when FILE says so: quicker than PNG); fails
# quietly while the output is not there.
wayland_shot() {  # OUTPUT FILE
  local type=png
  [ "${2##*.}" = ppm ] && type=ppm
  as_user grim -t "$type" -o "$1" "$2" 2>/dev/null
}

# Starlight (grey-blue points, equal red and green) in rows FROM..TO of OUTPUT now.
wayland_starlight() {  # OUTPUT FROM TO
  local shot=$wl_dir/starlight-$1.ppm
  wayland_shot "$1" "$shot" || { echo 0; return; }
  wayland_pixels starlight "$shot" "$2" "$3"
}

wayland_pixels() { /usr/bin/python3 "$ORVANEL_SOURCE_DIR/tests/e2e/wayland_pixels.py" "$@"; }

# Waits up to SECONDS until OUTPUT shows more than a few hundred starlit
# pixels; stars_seen_at is when the screenshot that showed them came back
# (ns): grim waits for the output's next frame, so that is when it was taken.
wayland_wait_stars() {  # OUTPUT SECONDS
  local deadline=$(( $(date +%s%N) + $2 * 1000000000 )) shot=$wl_dir/stars-$1.ppm shot_at
  while [ "$(date +%s%N)" -lt "$deadline" ]; do
    if wayland_shot "$1" "$shot"; then
      shot_at=$(date +%s%N)
      if [ "$(wayland_pixels starlight "$shot" 0 $(( wayland_output_height - 1 )))" -gt 300 ]; then
        stars_seen_at=$shot_at
        return 0
      fi
    fi
    sleep 0.02
  done
  return 1
}

# Milliseconds until the process (a child of this shell) ends, at most LIMIT
# ms; sets exit_code to its code, or to "running".
wayland_wait_exit_ms() {  # PID LIMIT
  local begin now
  begin=$(date +%s%N)
  while :; do
    now=$(date +%s%N)
    if ! kill -0 "$1" 2>/dev/null; then
      exit_ms=$(( (now - begin) / 1000000 ))
      exit_code=0
      wait "$1" || exit_code=$?
      return
    fi
    [ $(( (now - begin) / 1000000 )) -gt "$2" ] && { exit_code=running; return; }
    sleep 0.01
  done
}
