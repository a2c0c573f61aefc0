#!/usr/bin/env bash
# The configuration sheet speaks the system's language when the user chose
# none: on a German Wine (LANG=de_DE.UTF-8) it loads the German file, and a
# stored interfaceLang=EN keeps it English. Wine reads the language when its
# server starts, so the server is restarted around the German runs.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
orvanel_keep_wine_settings
scr=$(orvanel_scr)
log=$(orvanel_log_file)
locale -a 2>/dev/null | grep -qix 'de_DE.utf8' || fail "the de_DE.UTF-8 locale is missing (scripts/setup.sh makes it)"

language_chosen() {  # SETTINGS -> the language the sheet loaded
  printf '%b' "$1" > "$ini"
  rm -f "$log"
  LANG=de_DE.UTF-8 wine "$scr" /c &
  local pid=$!
  orvanel_helper sheet current >/dev/null || { orvanel_stop "$pid"; fail "no sheet opened"; }
  orvanel_helper sheet cancel >/dev/null
  orvanel_wait_exit "$pid" 10
  tr -d '\r' < "$log" | sed -n 's/.*setLanguageAndFilespec(\([A-Z]*\),.*/\1/p' | head -1
}

wineserver -k 2>/dev/null || true
wineserver -w
german=$(language_chosen '')
stored=$(language_chosen 'interfaceLang=EN\r\n')
# The next checks start their own server in their own locale.
wineserver -k 2>/dev/null || true
wineserver -w
[ "$german" = DE ] || fail "on a German system with no choice stored the sheet loaded '${german:-nothing}'"
[ "$stored" = EN ] || fail "with interfaceLang=EN stored the sheet loaded '${stored:-nothing}'"
echo "a German system opens the sheet in German; a stored English choice keeps it English"
