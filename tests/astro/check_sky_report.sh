#!/usr/bin/env bash
# The Linux program's --sky-report end to end: the JSON parses and holds the
# sun, the moon, the seven planets, the 49 stars brighter than magnitude 2
# and the constellations where their names stand, with pixel positions on a
# view when a size is given; the sun tells the sky's phase and the faintest
# magnitude seen, the moon the earth's shadow on it; at noon of midsummer the
# sun stands on the view; a bad time or place ends with exit code 2 and says
# what was wrong. The deep-sky objects come as galaxies, clusters and nebulae
# with their size: on a December night over Vienna the Pleiades and the Orion
# nebula are on the view and the Andromeda galaxy stands where PyEphem puts it.
# On the Geminids' peak night the shower is listed at its radiant where
# PyEphem puts it, with a plausible rate, and in March no shower is.
set -uo pipefail
orvanel="$1"
python=/usr/bin/python3
fail() { echo "sky report: $*" >&2; exit 1; }
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

"$orvanel" --sky-report --at 2026-03-20T21:30:00Z --place 52.5,13.4 --size 1920x1080 >"$out/report.json" \
  || fail "exit code $? for a good report"
"$python" -m json.tool "$out/report.json" >/dev/null || fail "the report is not JSON"
"$python" - "$out/report.json" <<'PY' || fail "the report's contents are wrong"
import json, sys
objects = json.load(open(sys.argv[1]))
kinds = [o["kind"] for o in objects]
assert kinds.count("sun") == 1 and kinds.count("moon") == 1, kinds
assert kinds.count("planet") == 7 and kinds.count("star") == 49, kinds
assert kinds.count("shower") == 0, kinds
for o in objects:
    assert set(o) >= {"name", "kind", "ra", "dec", "alt", "az", "mag"}, o
    assert 0 <= o["ra"] < 360 and -90 <= o["dec"] <= 90 and -90 <= o["alt"] <= 90 and 0 <= o["az"] < 360, o
    if "x" in o:
        assert 0 <= o["x"] < 1920 and 0 <= o["y"] < 1080 and o["alt"] > -1, o
on_view = [o["name"] for o in objects if "x" in o]
# Berlin on the March equinox at 22:30: Jupiter high in the south-west, Sirius low in the south-west.
assert "Jupiter" in on_view and "Sirius" in on_view, on_view
# Each of the 88 constellations' names where it stands (Serpens twice); Leo's high in the south, Regulus its brightest.
constellations = {o["name"]: o for o in objects if o["kind"] == "constellation"}
assert len(constellations) == 89 and "Leo" in on_view, sorted(constellations)
leo = constellations["Leo"]
assert 155 < leo["ra"] < 165 and 160 < leo["az"] < 185 and 45 < leo["alt"] < 60 and leo["mag"] == 1.36, leo
assert "Sun" not in on_view, on_view
sun = next(o for o in objects if o["kind"] == "sun")
moon = next(o for o in objects if o["kind"] == "moon")
assert sun["phase"] == "night" and sun["limitingMag"] == 6.5, sun
assert moon["eclipse"] == "none" and moon["eclipseMag"] < 0, moon
PY

"$orvanel" --sky-report --at 2026-12-13T22:00:00Z --place 48.21,16.37 --size 1280x720 >"$out/december.json" \
  || fail "exit code $? for a December night"
"$python" - "$out/december.json" <<'PY' || fail "the deep-sky objects are wrong"
import json, math, sys
import ephem
objects = json.load(open(sys.argv[1]))
deep = [o for o in objects if o["kind"] in ("galaxy", "cluster", "nebula")]
assert 60 <= len(deep) <= 120, len(deep)
for o in deep:
    major, minor = o["size"]
    assert major >= minor > 0 and o["designation"] and o["class"] and o["mag"] <= 6, o
byname = {o["name"]: o for o in deep}
assert byname["Andromeda Galaxy"]["kind"] == "galaxy" and byname["Andromeda Galaxy"]["size"] == [189.1, 61.7]
assert byname["Pleiades"]["kind"] == "cluster" and byname["Orion Nebula"]["kind"] == "nebula"
# Vienna at 23:00 local: the Pleiades high in the south-south-west, Orion in the south-east.
for name in ("Pleiades", "Orion Nebula"):
    assert "x" in byname[name] and 0 <= byname[name]["x"] < 1280 and 0 <= byname[name]["y"] < 720, byname[name]
observer = ephem.Observer()
observer.lat, observer.lon, observer.elevation = "48.21", "16.37", 0
observer.date = ephem.Date("2026/12/13 22:00:00")
andromeda = ephem.FixedBody()
andromeda._ra, andromeda._dec, andromeda._epoch = math.radians(10.6847), math.radians(41.26875), ephem.J2000
andromeda.compute(observer)
ours = byname["Andromeda Galaxy"]
alt, az = math.degrees(andromeda.alt), math.degrees(andromeda.az)
assert abs(ours["alt"] - alt) < 0.2 and abs((ours["az"] - az + 180) % 360 - 180) < 0.2, (ours, alt, az)
assert abs(ours["ra"] - math.degrees(andromeda.ra)) < 0.2 and abs(ours["dec"] - math.degrees(andromeda.dec)) < 0.2, ours
PY

"$orvanel" --sky-report --at 2026-12-14T01:00:00Z --place 48.21,16.37 --size 1280x720 >"$out/geminids.json" \
  || fail "exit code $? for the Geminids' night"
"$python" - "$out/geminids.json" <<'PY' || fail "the Geminids' night is wrong"
import json, math, sys
import ephem
objects = json.load(open(sys.argv[1]))
showers = [o for o in objects if o["kind"] == "shower"]
assert [o["name"] for o in showers] == ["Geminids"], showers
gem = showers[0]
assert set(gem) >= {"name", "kind", "ra", "dec", "alt", "az", "mag", "zhr", "hourlyRate"}, gem
# The IMO's radiant (112, +33 at solar longitude 262.2) drifted by +1.0 and -0.1 deg a day.
moment = ephem.Date("2026/12/14 01:00:00")
sun = ephem.Sun(moment)
lam = math.degrees(ephem.Ecliptic(ephem.Equatorial(sun.a_ra, sun.a_dec, epoch=ephem.J2000), epoch=ephem.J2000).lon)
radiant = ephem.FixedBody()
radiant._ra, radiant._dec, radiant._epoch = math.radians(112 + 1.0 * (lam - 262.2)), math.radians(33 - 0.1 * (lam - 262.2)), ephem.J2000
vienna = ephem.Observer()
vienna.lat, vienna.lon, vienna.date = "48.21", "16.37", moment
radiant.compute(vienna)
alt, az = math.degrees(radiant.alt), math.degrees(radiant.az)
assert abs(gem["alt"] - alt) < 0.2 and abs((gem["az"] - az + 180) % 360 - 180) < 0.2 / math.cos(math.radians(alt)), (gem, alt, az)
# Half a day before the peak the ZHR is well below its 150; the radiant near 75 deg under a dark sky.
assert 60 < gem["zhr"] < 150 and gem["mag"] == 6.5, gem
assert 0.9 * gem["zhr"] < gem["hourlyRate"] < gem["zhr"], gem
PY

"$orvanel" --sky-report --at 2027-06-21T12:00:00Z --place 48.21,16.37 --size 1920x1080 >"$out/noon.json" \
  || fail "exit code $? for a midsummer noon"
"$python" - "$out/noon.json" <<'PY' || fail "the midsummer noon is wrong"
import json, sys
sun = next(o for o in json.load(open(sys.argv[1])) if o["kind"] == "sun")
# Vienna at noon of midsummer: the sun 62 deg high in the south, on the view's upper part.
assert sun["phase"] == "day" and sun["limitingMag"] < -3 and 61 < sun["alt"] < 63, sun
assert "x" in sun and sun["y"] < 300, sun
PY

TZ=Australia/Sydney "$orvanel" --sky-report --at 2027-01-01T10:00:00Z | "$python" -m json.tool >/dev/null \
  || fail "a report without --place (from the time zone) failed"

for good in 1800-01-01T00:00:00Z 2050-12-31T23:59:59Z; do
  "$orvanel" --sky-report --at "$good" --place 48.2,16.4 | "$python" -m json.tool >/dev/null \
    || fail "a report at $good, inside the planets' years, failed"
done

for bad in "--at 2026-02-30T00:00:00Z" "--at yesterday" "--at 2026-03-20T21:30:00+01:00" \
           "--at 9999-01-01T00:00:00Z" "--at 1799-12-31T23:59:59Z" "--at 2051-01-01T00:00:00Z" \
           "--place 91,0" "--place 52.5" "--place 52.5,east" "--place 0,180.5" \
           "--place 1e1,0" "--place 0x10,0" "--place nan,0" "--place 0,-inf" "--place 52,5,13,4"; do
  # shellcheck disable=SC2086
  "$orvanel" --sky-report $bad >"$out/stdout" 2>"$out/stderr"
  code=$?
  [ "$code" -eq 2 ] || fail "'$bad' exits $code, not 2"
  grep -q -- "${bad%% *} wants" "$out/stderr" || fail "'$bad' says: $(cat "$out/stderr")"
  [ ! -s "$out/stdout" ] || fail "'$bad' still printed a report"
done
echo "sky report: ok"
