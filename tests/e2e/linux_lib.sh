# Shared set-up of the checks of the native Linux program: the program, its
# X11 test window, a fresh home and temporary folder, and a virtual display
# of its own (a window left by another check must not hide the root window),
# kept alive between clients so a painted root stays painted.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

ORVANEL_NATIVE_BUILD_DIR=${ORVANEL_NATIVE_BUILD_DIR:-$ORVANEL_SOURCE_DIR/build/native}
program=$ORVANEL_NATIVE_BUILD_DIR/orvanel
test_window=$ORVANEL_NATIVE_BUILD_DIR/tests/orvanel_x11_test_window
[ -x "$program" ] || fail "no program at $program"

# The magenta the test window and the painted root show until something is drawn.
test_background='#FF00FF'

work=$(mktemp -d)
linux_pids=()
linux_cleanup() {
  for pid in "${linux_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap linux_cleanup EXIT

# A user who never ran the program: no ~/.config, no desktop, own $TMPDIR.
linux_fresh_user() {
  mkdir -p "$work/home" "$work/tmp"
  export HOME=$work/home TMPDIR=$work/tmp
  unset XDG_CONFIG_HOME XDG_DESKTOP_DIR XSCREENSAVER_WINDOW
}

linux_own_display() {
  local number
  for _ in $(seq 20); do
    number=$(( 500 + RANDOM % 400 ))
    [ -e "/tmp/.X$number-lock" ] || break
  done
  Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  linux_pids+=($!)
  export DISPLAY=":$number"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
  fail "could not start Xvfb on $DISPLAY"
}

# How many pixels of the screen rectangle W H X Y have the test background.
linux_background_pixels() {
  local shot count
  shot=$(mktemp --suffix=.png -p "$work")
  import -window root -crop "${1}x${2}+${3}+${4}" +repage "$shot"
  count=$(convert "$shot" -format %c histogram:info:- | awk -v c="$test_background" \
            'toupper($3) == c { sub(":", "", $1); n += $1 } END { print n + 0 }')
  rm -f "$shot"
  echo "$count"
}

# Waits until nothing of the test background is left in W H X Y.
linux_wait_drawn() {
  for _ in $(seq 50); do
    [ "$(linux_background_pixels "$@")" = 0 ] && return 0
    sleep 0.1
  done
  return 1
}

# SIGTERM, then the exit code within a second ("running" if still there).
linux_terminate() {
  kill -TERM "$1"
  orvanel_wait_exit "$1" 1
}
