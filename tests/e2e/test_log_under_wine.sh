#!/usr/bin/env bash
# The module writes its log to the Wine user's temporary folder, and the start
# after a run that logged an error leaves that log on the desktop.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display

scr=$(orvanel_scr)
log=$(orvanel_wine_temp_dir)/Orvanel.keslLog.txt
copy=$(orvanel_wine_desktop_dir)/Orvanel.keslLog.txt
rm -f "$log" "$copy"

# The configuration path builds and deletes the application without a window.
orvanel_configure_and_cancel
[ "$exit_code" = 0 ] || [ "$exit_code" = 1 ] || fail "first run failed: $exit_code"
[ -f "$log" ] || fail "no log at $log"
text=$(tr -d '\r' < "$log")
grep -q $'^     \t[0-9]\\{4\\}-[0-9][0-9]-[0-9][0-9]  ' <<<"$text" || fail "no time-stamp line"
grep -qx $'Info>\tkeslLog starting' <<<"$text" || fail "no start line"
grep -qx $'Info>\tcreating: keslScreenSaverAbstract' <<<"$text" || fail "no creating line"
grep -qx $'Info>\t| creating: orvanelScreensaver' <<<"$text" || fail "no nested line"
grep -Pzq 'Info>\tdestroying: keslScreenSaverAbstract\r\n\r\n' "$log" || fail "no blank line after the block"
grep -q 'Log filename:C:\\' <<<"$text" || fail "no log file name"
[ ! -e "$copy" ] || fail "a clean run was copied to the desktop"

# A run that logged an error, then the next start.
printf 'ERROR>\tsimulated failure\r\n' >> "$log"
orvanel_configure_and_cancel
[ "$exit_code" = 0 ] || [ "$exit_code" = 1 ] || fail "second run failed: $exit_code"
[ -f "$copy" ] || fail "no desktop copy at $copy"
grep -q 'simulated failure' "$copy" || fail "desktop copy lacks the error"
! grep -q 'simulated failure' "$log" || fail "log was not emptied"
grep -q $'Info>\tkeslLog starting' "$log" || fail "new log lacks its start"
echo "log and desktop copy as expected"
