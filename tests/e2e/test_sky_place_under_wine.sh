#!/usr/bin/env bash
# With no place set, the real sky under Wine takes the Windows time zone's
# city for the user's country: "W. Europe Standard Time" in Austria is
# Vienna (48.22 N 16.33 E), not the key's own Berlin.
#
# Wine names the zone after the host's TZ, taking the first registry zone
# with the same clock changes; the three that share Central Europe's rules
# and sort before "W. Europe Standard Time" are taken out for the run. The
# country is the user's Geo\Nation (a GEOID: 14 is Austria), which Wine 8's
# GetUserGeoID reads. Both are put back on exit.
source "$(dirname "$0")/lib.sh"
orvanel_prepare_wine
orvanel_prepare_display
orvanel_keep_wine_settings
scr=$(orvanel_scr)
log=$(orvanel_log_file)

zones='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Time Zones'
geo='HKEY_CURRENT_USER\Control Panel\International\Geo'
kAustria=14
wine reg export "$zones" "$work/zones.reg" /y >/dev/null 2>&1 || fail "could not save the registry's time zones"
wine reg export "$geo" "$work/geo.reg" /y >/dev/null 2>&1 || fail "could not save the user's country"
restore_registry() {
  wine reg import "$work/zones.reg" >/dev/null 2>&1 || true
  wine reg import "$work/geo.reg" >/dev/null 2>&1 || true
}
trap 'restore_registry; orvanel_restore_wine_settings; wineserver -k 2>/dev/null || true; [ -n "${ORVANEL_XVFB_PID:-}" ] && kill $ORVANEL_XVFB_PID 2>/dev/null || true' EXIT
{
  printf 'REGEDIT4\r\n\r\n'
  for zone in "Central Europe Standard Time" "Central European Standard Time" "Romance Standard Time"; do
    printf '[-%s\\%s]\r\n\r\n' "$zones" "$zone"
  done
  printf '[%s]\r\n"Nation"="%s"\r\n"Name"="AT"\r\n' "$geo" "$kAustria"
} > "$work/austria.reg"
wine regedit /S "$work/austria.reg" >/dev/null 2>&1 || fail "could not set the zone and country"

orvanel_write_plain_sky_settings
printf 'realSky=yes\r\n' >> "$ini"
rm -f "$log"
xdotool mousemove 20 20
TZ=Europe/Vienna wine "$scr" /s &
pid=$!
for _ in $(seq 100); do
  grep -q "The real sky over" "$log" 2>/dev/null && break
  sleep 0.1
done
xdotool key space
orvanel_wait_exit "$pid" 5
[ "$exit_code" = 0 ] || { orvanel_stop "$pid"; fail "the run did not end on a key: $exit_code"; }
text=$(tr -d '\r' < "$log")
place=$(grep -o 'Sky place from the .*' <<<"$text" || true)
[ "$place" = "Sky place from the Windows time zone W. Europe Standard Time (AT: Europe/Vienna): 48.22 N 16.33 E" ] \
  || fail "the place is '${place:-not logged}'"
grep -q "The real sky over 48.22 16.33 " <<<"$text" || fail "the real sky is not over Vienna"
echo "$place"
