#!/usr/bin/env bash
# The module keeps its settings in the Wine user's roaming application-data
# folder, in the company folder, whole and with CR LF lines: a first run
# stores the default messages there.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
scr=$(orvanel_scr)
orvanel_keep_wine_settings
rm -f "$ini"

xdotool mousemove 20 20
wine "$scr" /s &
pid=$!
orvanel_wait_window || { orvanel_stop "$pid"; fail "no screensaver window"; }
sleep 1
xdotool key space
orvanel_wait_exit "$pid" 3
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "the run did not end on a key: $exit_code"; }

[ -f "$ini" ] || fail "no settings file at $ini"
grep -q $'^msg_defaultMessagesAdded=yes\r$' "$ini" || fail "settings file lacks the first run's mark: $(cat -A "$ini")"
grep -q $'^messagesCount=[0-9]*\r$' "$ini" || fail "settings file lacks the messages: $(cat -A "$ini")"
ls "$(dirname "$ini")" | grep -q '\.tmp' && fail "a temporary file was left beside $ini"
echo "settings file at $ini"
