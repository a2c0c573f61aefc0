#!/usr/bin/env bash
# The real sky where the sky report says it is: a winter evening over Berlin
# and the same night over Sydney, rendered headless at a fixed moment
# (faketime) and compared with --sky-report at the same size. Every planet
# and first-magnitude star the report puts on the view is drawn within 2
# pixels of its place; Orion and Sirius are in Berlin's frame, and Sydney
# sees Orion upside down (Betelgeuse under Rigel rather than over it). With
# names on, the constellations' names stand centred at the report's places,
# and on the Geminids' peak night over Sydney the shower's name by its radiant.
# Then a midsummer day over Vienna from noon through each twilight to the
# night, and a total eclipse over Anchorage, each checked by sky_light.py
# against the report and PyEphem's sun: the sky's colour, the sun drawn by
# day, no star by day, the eclipsed moon dark copper. With --always-night
# the noon sky is the night's again. Last, a December night over Reykjavik
# with the Andromeda galaxy, the Pleiades and the Orion nebula on the view:
# deep_sky_frame.py finds each as a soft patch where the report puts it.
# The frames stay in $ORVANEL_E2E_ARTIFACTS (or the build folder)/real-sky/.
source "$(dirname "$0")/linux_lib.sh"
linux_fresh_user
unset DISPLAY
# faketime preloads itself; the sanitizer runtime must not insist on coming first.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
export TZ=UTC
command -v faketime >/dev/null || fail "faketime is missing (scripts/setup.sh installs it)"
finder=$(dirname "$0")/sky_frame.py
shots=${ORVANEL_E2E_ARTIFACTS:-$ORVANEL_NATIVE_BUILD_DIR/e2e-artifacts}/real-sky
mkdir -p "$shots"
size=1280x720

# A dark sky with nothing else bright in it: no messages, clock, quotes or moon.
ini="$HOME/.config/Orvanel software/Orvanel screensaver.ini"
mkdir -p "$(dirname "$ini")"
printf 'background=0\r\nshowClock=no\r\nmessagesCount=0\r\nmsg_defaultMessagesAdded=yes\r\n' > "$ini"

sky_at() {  # NAME "YYYY-MM-DD HH:MM:SS" LAT,LON NAME...
  local name=$1 moment=$2 place=$3 out=$work/$1
  shift 3
  faketime -f "@$moment" "$program" --headless --size "$size" --seconds 0.04 --every 1 --out "$out" \
    --real-sky --place "$place" --no-quotes --moon none >/dev/null || fail "$name: headless run exited with $?"
  "$program" --sky-report --at "${moment/ /T}Z" --place "$place" --size "$size" > "$out/report.json" \
    || fail "$name: no sky report"
  cp "$out/frame-00001.png" "$shots/$name.png"
  "$finder" "$out/report.json" "$out/frame-00001.png" "$@" > "$out/found.txt" \
    || fail "$name: the frame does not show the report's sky"
  echo "$name ($moment UTC, $place): $(awk 'NF == 5 {printf "%s at (%s, %s); ", $1, $4, $5}' "$out/found.txt")"
}
y_of() { awk -v n="$2" '$1 == n { print $5 }' "$work/$1/found.txt"; }

sky_at berlin "2026-01-15 20:00:00" 52.5,13.4 Sirius Betelgeuse Rigel Jupiter
sky_at sydney "2026-01-15 11:00:00" -33.87,151.21 Sirius Betelgeuse Rigel Jupiter
awk -v b="$(y_of berlin Betelgeuse)" -v r="$(y_of berlin Rigel)" 'BEGIN { exit !(b < r) }' \
  || fail "Berlin sees Betelgeuse under Rigel"
awk -v b="$(y_of sydney Betelgeuse)" -v r="$(y_of sydney Rigel)" 'BEGIN { exit !(b > r) }' \
  || fail "Sydney does not see Orion upside down"

# With names on, each constellation's name stands centred where the report puts it.
faketime -f "@2026-01-15 20:00:00" "$program" --headless --size "$size" --seconds 0.04 --every 1 \
  --out "$work/berlin-names" --real-sky --place 52.5,13.4 --no-quotes --moon none --sky-names >/dev/null \
  || fail "berlin-names: headless run exited with $?"
cp "$work/berlin-names/frame-00001.png" "$shots/berlin-names.png"
"$(dirname "$0")/sky_names.py" "$work/berlin/report.json" "$work/berlin-names/frame-00001.png" \
  "$work/berlin/frame-00001.png" || fail "the constellations' names do not stand where the report puts them"
# The Geminids' peak night over Sydney: their radiant low in the north, on the view, named beside it.
geminids="2026-12-13 15:00:00"
for names in --sky-names --no-sky-names; do
  faketime -f "@$geminids" "$program" --headless --size "$size" --seconds 0.04 --every 1 --out "$work/geminids$names" \
    --real-sky --place -33.87,151.21 --no-quotes --moon none "$names" >/dev/null || fail "geminids: headless run exited with $?"
done
"$program" --sky-report --at "${geminids/ /T}Z" --place -33.87,151.21 --size "$size" > "$work/geminids.json" \
  || fail "geminids: no sky report"
"$(dirname "$0")/sky_names.py" "$work/geminids.json" "$work/geminids--sky-names/frame-00001.png" \
  "$work/geminids--no-sky-names/frame-00001.png" Geminids || fail "the Geminids' name does not stand by their radiant"

light_at() {  # NAME "YYYY-MM-DD HH:MM:SS" LAT,LON [MORE OPTIONS...]
  local name=$1 moment=$2 place=$3 out=$work/$1
  shift 3
  faketime -f "@$moment" "$program" --headless --size 640x360 --seconds 0.04 --every 1 --out "$out" \
    --real-sky --place "$place" --no-quotes "$@" >/dev/null || fail "$name: headless run exited with $?"
  "$program" --sky-report --at "${moment/ /T}Z" --place "$place" --size 640x360 > "$out/report.json" \
    || fail "$name: no sky report"
  cp "$out/frame-00001.png" "$shots/$name.png"
  "$(dirname "$0")/sky_light.py" "$out/report.json" "$out/frame-00001.png" "${moment/ /T}Z" "$place" \
    > "$out/light.txt" || { cat "$out/light.txt"; fail "$name: the frame does not show the sky's light"; }
  echo "$name: $(grep overhead "$out/light.txt")"
}
light_at vienna-noon "2027-06-21 12:00:00" 48.21,16.37 --moon none
light_at vienna-civil "2027-06-21 19:30:00" 48.21,16.37 --moon none
light_at vienna-nautical "2027-06-21 20:05:00" 48.21,16.37 --moon none
light_at vienna-astronomical "2027-06-21 20:50:00" 48.21,16.37 --moon none
light_at vienna-night "2027-06-21 22:30:00" 48.21,16.37 --moon none
light_at anchorage-eclipse "2026-03-03 11:33:30" 61.2,-149.9 --moon large
grep -q "total eclipse" "$work/anchorage-eclipse/light.txt" || fail "the eclipse frame has no eclipsed moon on the view"

faketime -f "@2027-06-21 12:00:00" "$program" --headless --size 640x360 --seconds 0.04 --every 1 \
  --out "$work/always-night" --real-sky --place 48.21,16.37 --no-quotes --moon none --always-night >/dev/null \
  || fail "--always-night: headless run exited with $?"
"$(dirname "$0")/sky_frame.py" "$work/vienna-noon/report.json" "$work/always-night/frame-00001.png" Sirius \
  > "$work/always-night/found.txt" || fail "--always-night at noon does not show the night's stars"
moment="2026-12-13 22:00:00"
faketime -f "@$moment" "$program" --headless --size "$size" --seconds 0.04 --every 1 --out "$work/deep-sky" \
  --real-sky --place 64.15,-21.94 --no-quotes --moon none >/dev/null || fail "deep sky: headless run exited with $?"
"$program" --sky-report --at "${moment/ /T}Z" --place 64.15,-21.94 --size "$size" > "$work/deep-sky/report.json" \
  || fail "deep sky: no sky report"
cp "$work/deep-sky/frame-00001.png" "$shots/reykjavik-deep-sky.png"
"$(dirname "$0")/deep_sky_frame.py" "$work/deep-sky/report.json" "$work/deep-sky/frame-00001.png" \
  "Andromeda Galaxy" Pleiades "Orion Nebula" > "$work/deep-sky/found.txt" \
  || { cat "$work/deep-sky/found.txt"; fail "deep sky: the frame does not show the report's patches"; }
echo "deep sky over Reykjavik (name, reported x y, found x y, contrast): $(paste -sd ';' "$work/deep-sky/found.txt")"
echo "Orion stands upright over Berlin and upside down over Sydney; a Vienna day dusks into night; the deep sky glows in place; frames in $shots"
