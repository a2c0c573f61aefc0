#!/usr/bin/env bash
# The configuration sheet speaks the system's language when the user chose
# none: on a German Wine (LANG=de_DE.UTF-8) it loads the German file, and a
# stored interfaceLang=EN keeps it English. Wine reads the language when its
# server starts, so the server is restarted around the German runs. On an
# English Wine the About page's choice of German is stored and opens the
# next sheet in German; "As the system" forgets the choice again.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
orvanel_keep_wine_settings
scr=$(orvanel_scr)
log=$(orvanel_log_file)
locale -a 2>/dev/null | grep -qix 'de_DE.utf8' || fail "the de_DE.UTF-8 locale is missing (scripts/setup.sh makes it)"

opened_in() {  # LANG SHEET-COMMANDS... -> the language the sheet loaded
  local lang=$1 pid
  shift
  rm -f "$log"
  LANG=$lang wine "$scr" /c &
  pid=$!
  orvanel_helper sheet current >/dev/null || { orvanel_stop "$pid"; fail "no sheet opened"; }
  orvanel_helper sheet "$@" >/dev/null
  orvanel_wait_exit "$pid" 10
  tr -d '\r' < "$log" | sed -n 's/.*setLanguageAndFilespec(\([A-Z]*\),.*/\1/p' | head -1
}
language_chosen() {  # SETTINGS -> the language a German system's sheet loaded
  printf '%b' "$1" > "$ini"
  opened_in de_DE.UTF-8 cancel
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

# The About page (page 9) lists "As the system", then DE, EL, EN, ES, FR, IT.
kAbout=9
kLanguageList=1092
rm -f "$ini"
english=$(opened_in C.UTF-8 page "$kAbout" combo "$kLanguageList" 1 ok)
grep -q '^interfaceLang=DE' <(tr -d '\r' < "$ini") || fail "choosing German stored: $(tr -d '\r' < "$ini" | grep interfaceLang)"
chosen=$(opened_in C.UTF-8 page "$kAbout" combo "$kLanguageList" 0 ok)
! grep -q '^interfaceLang=' <(tr -d '\r' < "$ini") || fail "As the system left $(tr -d '\r' < "$ini" | grep interfaceLang)"
after=$(opened_in C.UTF-8 cancel)
[ "$english" = EN ] && [ "$chosen" = DE ] && [ "$after" = EN ] \
  || fail "an English system opened in ${english:-?}, then after choosing German in ${chosen:-?}, then after As the system in ${after:-?}"
echo "a German system opens the sheet in German; a stored English choice keeps it English; the About page's choice opens the next sheet in it"
