#!/usr/bin/env bash
# The configuration sheet under Wine: "/c" opens it, every page is shown and
# photographed (e2e-artifacts/sheet/ in the Windows build folder), values changed on
# several pages reach the settings file on OK, Cancel stores nothing but the
# last page, the next opening starts on that page, and at 150 % no control
# is clipped. The sheet is driven with messages by the test helper.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
orvanel_keep_wine_settings
scr=$(orvanel_scr)
shots=$(orvanel_artifacts_dir)/sheet
mkdir -p "$shots"
rm -f "$ini"

sheet() { orvanel_helper sheet "$@"; }

# Shows each page, photographs it and reports any clipped control.
visit_pages() {  # NAME
  local rect page report clipped=""
  rect=$(sheet rect | sed -n 's/^rect //p')
  [ -n "$rect" ] || fail "$1: the sheet has no rectangle"
  read -r x y w h <<<"$rect"
  for page in 0 1 2 3 4 5 6 7 8 9 10; do
    report=$(sheet page "$page" sleep 300 clipped)
    grep -q "^checked [1-9]" <<<"$report" || fail "$1: page $page has no controls: $report"
    if grep -q "^clipped [0-9-]" <<<"$report"; then clipped+="page $page: $(grep '^clipped [0-9-]' <<<"$report" | tr '\n' ';') "; fi
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shots/$1-page-$page.png"
  done
  [ -z "$clipped" ] || fail "$1: clipped controls: $clipped"
}

start_sheet() {  # ARGS
  wine "$scr" "$@" &
  sheet_pid=$!
  sheet current >/dev/null || { orvanel_stop "$sheet_pid"; fail "no window titled 'Orvanel 5.9.4 ' for $*"; }
}

finish_sheet() {  # ok|cancel
  sheet "$1" >/dev/null
  orvanel_wait_exit "$sheet_pid" 15
  [ "$exit_code" != running ] || { orvanel_stop "$sheet_pid"; fail "the sheet did not close on $1"; }
}

setting() { tr -d '\r' < "$ini" | sed -n "s/^$1=//p"; }
expect_setting() {  # KEY VALUE
  local actual; actual=$(setting "$1")
  [ "$actual" = "$2" ] || fail "$1 is '$actual', expected '$2'"
}

# First opening: the Moon page; change several pages, end on Sounds, OK.
start_sheet /c
[ "$(sheet current | sed -n 's/^current //p')" = 0 ] || fail "the first opening is not on the Moon page"
visit_pages normal
before_ok=$(( $(date +%s) / 60 ))
sheet page 0 click 1003 click 1032 \
      page 1 text 1014 "Hello from Wine" text 1015 "seen under Wine" \
      page 2 click 1013 \
      page 4 click 1026 \
      page 5 slider 1050 3 \
      page 6 click 1006 click 1032 \
      page 7 combo 1054 0 click 1039 \
      page 8 click 1045 \
      page 3 click 1033 >/dev/null || fail "could not change the pages"
# Ctrl+Enter in the message starts a new line instead of pressing OK.
read -r mx my < <(sheet page 1 where 1014 | sed -n 's/^where //p')
xdotool mousemove "$mx" "$my" click 1 key ctrl+End key ctrl+Return type "line two"
label=$(sheet page 5 gettext 1051 page 3 | sed -n 's/^text //p')
[ "$label" = "Prevent sleep for the next 2 hours" ] || fail "the power label reads '$label'"
notices=$(sheet page 9 gettext 1090 page 3 | tr -d '\r' | sed -n 's/^text //p')
[ "$notices" = "Third-party notices: Orvanel-ThirdPartyNotices.txt, beside the screensaver" ] ||
  fail "the About page names no third-party notices: '$notices'"
finish_sheet ok
[ "$exit_code" = 1 ] || fail "OK ended the module with $exit_code, not 1"
expect_setting moonSize 100
expect_setting showMoon yes
expect_setting showMoonPhaseName no
expect_setting message1 'Hello from Wine\r\nline two'
expect_setting bottomline1 "seen under Wine"
expect_setting messagesCount 2
expect_setting background 0
expect_setting showQuotes_Love no
expect_setting showQuotes_Wisdom yes
expect_setting preventComputerSleep_permanently no
until_minutes=$(setting preventComputerSleepUntilUTCtime_inMinutes)
[ "$until_minutes" -ge $(( before_ok + 120 )) ] && [ "$until_minutes" -le $(( before_ok + 122 )) ] ||
  fail "keep-awake ends at $until_minutes, not two hours after $before_ok"
expect_setting startupEffect 1
expect_setting hotcorner_TL yes
expect_setting hotcorner_BR no
expect_setting clockFontSize 10
expect_setting clockSpeed 1
expect_setting clockAutoColor no
expect_setting clockColor -2139062017
expect_setting snd_selectedSound 4
expect_setting UserGaveTelemetryConsent no
expect_setting activeDialogTab 3
grep -q "User's ini file:" <(tr -d '\r' < "$(orvanel_log_file)") || fail "the sheet did not log the settings file"

# With a parent: opens on Sounds, belongs to the parent; Cancel after changes
# stores only the last page.
parent_out=$(mktemp)
wine "$(orvanel_helper_exe)" parent 200 150 30 >"$parent_out" 2>/dev/null &
parent_pid=$!
for _ in $(seq 50); do [ -s "$parent_out" ] && break; sleep 0.1; done
hwnd=$(head -1 "$parent_out" | tr -d '\r\n')
[ -n "$hwnd" ] || fail "the parent helper gave no window"
cp "$ini" "$work/after-ok.ini"
start_sheet "/c:$hwnd"
[ "$(sheet current | sed -n 's/^current //p')" = 3 ] || fail "the sheet did not reopen on the Sounds page"
grep -qw "$hwnd" <(sheet owner) || fail "the sheet does not belong to the window $hwnd: $(sheet owner)"
sheet page 0 click 1005 page 1 text 1014 "not kept" page 7 >/dev/null || fail "could not change the pages"
finish_sheet cancel
kill "$parent_pid" 2>/dev/null || true
rm -f "$parent_out"
diff <(tr -d '\r' < "$work/after-ok.ini" | grep -v '^activeDialogTab=') <(tr -d '\r' < "$ini" | grep -v '^activeDialogTab=') ||
  fail "Cancel changed the settings file"
expect_setting activeDialogTab 7

# At 150 %: every page again, nothing clipped.
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}
# Wine's default scale when no value is set.
unset_dpi() {
  wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
  wineserver -w
}
trap 'unset_dpi; orvanel_restore_wine_settings; wineserver -k 2>/dev/null || true; [ -n "${ORVANEL_XVFB_PID:-}" ] && kill $ORVANEL_XVFB_PID 2>/dev/null || true' EXIT
# In German, so the translated page titles show too.
set_dpi 144
printf 'interfaceLang=DE\r\n' >> "$ini"
start_sheet /c
log_text=$(tr -d '\r' < "$(orvanel_log_file)")
grep -q 'loading translations from file:.*Orvanel\.DE\.txt' <<<"$log_text" && grep -Eq '[^0-9][1-9][0-9]* translations loaded' <<<"$log_text" ||
  fail "the German page titles were not loaded"
[ "$(sheet dpi | sed -n 's/^dpi //p')" = 144 ] || fail "Wine did not take 150 % (LogPixels 144)"
visit_pages scaled
finish_sheet cancel
echo "configuration sheet as expected; pages in $shots"
