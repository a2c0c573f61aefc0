#!/usr/bin/env bash
# "/s" with the top-left corner armed: with the cursor resting in it the
# screensaver refuses to start and ends at once; with the cursor elsewhere it
# runs. Keep-awake on: the log shows the request and, at the end, the release.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
scr=$(orvanel_scr)
orvanel_keep_wine_settings
orvanel_anchor_pointer
log_file=$(orvanel_log_file)
printf 'hotcorner_TL=yes\r\npreventComputerSleep_permanently=yes\r\n' > "$ini"

# The cursor rests in the armed corner.
xdotool mousemove 10 10
wine "$scr" /s &
pid=$!
orvanel_wait_exit "$pid" 15
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "the start was not refused: $exit_code"; }
log=$(tr -d '\r' < "$log_file")
grep -qF "Screensaver start was prevented because of hotcorners" <<<"$log" || fail "no refusal in the log"
! grep -qF "Creating TorvanelWorld" <<<"$log" || fail "a world was built although the start was refused"
echo "cursor in the armed corner: the start is refused"

# The cursor in the middle of the screen.
xdotool mousemove 400 300
wine "$scr" /s &
pid=$!
orvanel_wait_window || { orvanel_stop "$pid"; fail "no screensaver window with the cursor in the middle"; }
sleep 1
orvanel_wait_exit "$pid" 1
[ "$exit_code" = running ] || fail "the run ended by itself: $exit_code"
xdotool key space
orvanel_wait_exit "$pid" 3
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "the run did not end on a key: $exit_code"; }
log=$(tr -d '\r' < "$log_file")
! grep -qF "prevented because of hotcorners" <<<"$log" || fail "refused with the cursor in the middle"
request=$(grep -nF "cPreventComputerSleep calls preventIdleSleep() to keep power ON" <<<"$log" | head -1 | cut -d: -f1)
world=$(grep -nF "Creating TorvanelWorld" <<<"$log" | head -1 | cut -d: -f1)
release=$(grep -nF "cPreventComputerSleep calls restoreIdleSleep()" <<<"$log" | tail -1 | cut -d: -f1)
[ -n "$request" ] && [ -n "$world" ] && [ -n "$release" ] || fail "keep-awake request, world or release missing from the log"
[ "$request" -lt "$world" ] && [ "$world" -lt "$release" ] || fail "keep-awake lines out of order: $request $world $release"
! grep -qF "preventIdleSleep() failed" <<<"$log" || fail "the system refused to keep awake"
echo "cursor in the middle: the sky runs, kept awake until the end"
