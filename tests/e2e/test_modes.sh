#!/usr/bin/env bash
# The other modes of the command line: a second full-screen start, the
# preview inside a parent window (with and without the colon), bad preview
# numbers and letters. The configuration path has a check of its own.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
scr=$(orvanel_scr)
log=$(orvanel_log_file)

# A second "/s" only brings the first to the front.
xdotool mousemove 10 10
wine "$scr" /s &
first=$!
orvanel_wait_window || fail "no screensaver window"
wine "$scr" /s
second=$?
[ "$second" = 0 ] || { orvanel_stop "$first"; fail "second start exited with $second"; }
orvanel_wait_exit "$first" 1
[ "$exit_code" = running ] || fail "the first run ended when the second started: $exit_code"
xdotool key Escape
orvanel_wait_exit "$first" 2
[ "$exit_code" = 0 ] || { orvanel_stop "$first"; fail "first run did not end on a key: $exit_code"; }

# The preview lives as a child of the given window, fills its client area,
# and ends with it. (Wine does not show what a process draws into a child of
# another process's window, so the preview's pixels are checked natively.)
for form in "/p " "/p:"; do
  parent_out=$(mktemp)
  wine "$(orvanel_helper_exe)" parent 200 150 4 >"$parent_out" 2>/dev/null &
  helper=$!
  for _ in $(seq 50); do [ -s "$parent_out" ] && break; sleep 0.1; done
  hwnd=$(head -1 "$parent_out" | tr -d '\r\n')
  [ -n "$hwnd" ] || fail "the parent helper gave no window"
  wine "$scr" ${form}${hwnd} &
  preview=$!
  orvanel_wait_exit "$preview" 10
  [ "$exit_code" = 0 ] || { orvanel_stop "$preview"; fail "preview ($form${hwnd}) did not end with its parent: $exit_code; parent said: $(cat -A "$parent_out")"; }
  wait "$helper" || true
  child=$(sed -n 2p "$parent_out" | tr -d '\r')
  [ "$child" = "child WindowsScreenSaverClass Preview 200 150" ] || fail "preview ($form) child window: $child"
  rm -f "$parent_out"
  text=$(tr -d '\r' < "$log")
  grep -q "Creating TorvanelWorld with monitorId =-1" <<<"$text" || fail "preview ($form) not run as a preview"
  grep -q "Total pixels of all monitors:30000" <<<"$text" || fail "preview ($form) region is not the parent's size"
done

# Bad previews and unknown letters exit with -1 (255 as a process status).
for args in "/p" "/p 12345678" "/x"; do
  set +e
  wine "$scr" $args
  code=$?
  set -e
  [ "$code" = 255 ] || fail "'$args' exited with $code, not -1"
done

echo "modes as expected"
