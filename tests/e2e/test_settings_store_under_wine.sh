#!/usr/bin/env bash
# The application's settings file lands in the Wine user's roaming
# application-data folder, in the company folder, whole and with CR LF lines.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine

tests=$ORVANEL_WIN32_BUILD_DIR/tests/orvanel_win_tests.exe
ini="$(orvanel_wine_appdata_dir)/Orvanel software/Orvanel screensaver.ini"
rm -f "$ini"

wine "$tests" --gtest_filter=WindowsSettingsStore.TheApplicationStoreLivesInTheRoamingAppDataFolder \
  || fail "the store test exited with $?"
[ -f "$ini" ] || fail "no settings file at $ini"
grep -q $'^windowsTestRun=1\r$' "$ini" || fail "settings file lacks the stored key: $(cat -A "$ini")"
ls "$(dirname "$ini")" | grep -q '\.tmp' && fail "a temporary file was left beside $ini"
echo "settings file at $ini"
