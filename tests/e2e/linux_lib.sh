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
  if [ -n "${ORVANEL_KEEP_WORK:-}" ]; then echo "kept $work" >&2; else rm -rf "$work"; fi
}
trap linux_cleanup EXIT

# A user who never ran the program: no ~/.config, no desktop, own $TMPDIR.
linux_fresh_user() {
  mkdir -p "$work/home" "$work/tmp"
  export HOME=$work/home TMPDIR=$work/tmp
  unset XDG_CONFIG_HOME XDG_DESKTOP_DIR XSCREENSAVER_WINDOW
}

linux_own_display() {  # [DEPTH [WxH]]
  local depth=${1:-24} size=${2:-1024x768} number_file
  number_file=$(mktemp -p "$work")
  # Xvfb picks a free display number itself: no race with other checks' servers.
  Xvfb -displayfd 3 -screen 0 "${size}x$depth" -nolisten tcp -noreset 3>"$number_file" >"$work/xvfb.log" 2>&1 &
  linux_pids+=($!)
  for _ in $(seq 50); do [ -s "$number_file" ] && break; sleep 0.1; done
  [ -s "$number_file" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(head -1 "$number_file")"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
  fail "could not reach Xvfb on $DISPLAY"
}

# How many pixels of the screen rectangle W H X Y have the test background.
linux_background_pixels() {
  local shot count
  shot=$(mktemp --suffix=.png -p "$work")
  import -window root -crop "${1}x${2}+${3}+${4}" +repage "$shot"
  count=$(convert "$shot" -depth 8 -format %c histogram:info:- | awk -v c="$test_background" \
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
