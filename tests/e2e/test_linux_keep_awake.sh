#!/usr/bin/env bash
# In its own window with keep-awake on, the program holds off the X server's
# screensaver (a 2-second timeout here) while it runs and lets it come on
# after it ends. A run with keep-awake off shows the timeout does work.
source "$(dirname "$0")/linux_lib.sh"
linux_fresh_user
linux_own_display
xset s 2 0
settings_dir="$HOME/.config/Orvanel software"
mkdir -p "$settings_dir"
saver_state() { "$test_window" saver-state; }

run_for() {  # SECONDS: starts the program, waits, prints the saver state, stops it
  "$program" --window --size 640x400 >/dev/null 2>&1 &
  local pid=$!
  linux_pids+=("$pid")
  sleep "$1"
  saver_state
  linux_terminate "$pid"
  [ "$exit_code" = 0 ] || fail "the program did not end with 0 on SIGTERM: $exit_code"
}

printf 'preventComputerSleep_permanently=no\r\n' > "$settings_dir/Orvanel screensaver.ini"
[ "$(run_for 4)" = on ] || fail "without keep-awake the X screensaver did not come on: the check proves nothing"
xset s reset

printf 'preventComputerSleep_permanently=yes\r\n' > "$settings_dir/Orvanel screensaver.ini"
[ "$(run_for 5)" = off ] || fail "the X screensaver came on while the program kept the screen awake"
log=$TMPDIR/Orvanel.keslLog.txt
grep -q "cPreventComputerSleep calls preventIdleSleep() to keep power ON" "$log" || fail "no keep-awake request in the log"
grep -q "cPreventComputerSleep calls restoreIdleSleep()" "$log" || fail "no release in the log"
sleep 3
[ "$(saver_state)" = on ] || fail "the X screensaver did not come on after the program ended"
echo "keep-awake holds the X screensaver off while running and gives it back at the end"
