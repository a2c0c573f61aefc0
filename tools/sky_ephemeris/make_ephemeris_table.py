#!/usr/bin/env python3
"""Writes the table the sky's ephemeris test checks against: where PyEphem
(Debian python3-ephem, an independent implementation of VSOP87 and ELP) puts
the sun, the moon, the planets and ten bright stars for three places at four
instants of 2026-2030.

    make_ephemeris_table.py            print the table to standard output
    make_ephemeris_table.py --write    rewrite tests/astro/ephemeris_table.inc
    make_ephemeris_table.py --check    exit 1 unless the committed table is current, 77 (skipped)
                                       without PyEphem or with another version than the table's

Bodies are given without refraction (pressure 0), the moon topocentric, with
the position angle of its bright limb worked out here from ephem's apparent
places (as the direction toward the sun on the plane of the sky). Stars are
given as seen, with ephem's refraction for 1010 hPa and 10 deg C (the
standard atmosphere of the program's refraction formula), from the J2000
places of the committed catalogue; rows with a star within a few degrees of
the horizon, where refraction formulas part ways, are left out.
"""

import math
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "common"))
import recorded_inputs  # noqa: E402

try:
    import ephem
except ImportError:
    ephem = None

TOOL = "make_ephemeris_table"
TABLE_PATH = os.path.join(HERE, "..", "..", "tests", "astro", "ephemeris_table.inc")
CATALOGUE_PATH = os.path.join(HERE, "..", "..", "src", "astro", "generated", "star_catalogue_data.cpp")

PLACES = [(52.5, 13.4), (-33.9, 151.2), (64.1, -21.9)]
INSTANTS = ["2026-03-20 21:30:00", "2027-08-12 03:15:00", "2028-12-24 18:00:00", "2030-06-01 12:00:00"]
BODIES = ["sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn", "uranus", "neptune"]
STARS = ["Sirius", "Canopus", "Vega", "Capella", "Rigel", "Betelgeuse", "Polaris", "Acrux", "Fomalhaut", "Deneb"]
HORIZON_BAND_DEG = (-3.0, 2.0)


def catalogue():
    """name -> (index, ra, dec) from the committed C++ table."""
    text = open(CATALOGUE_PATH, encoding="utf-8").read()
    stars_block = text[text.index("kStars[] = {"):text.index("};", text.index("kStars[] = {"))]
    rows = re.findall(r"\{(-?[\d.]+)f, (-?[\d.]+)f, (-?[\d.]+)f, (-?[\d.]+)f\}", stars_block)
    names = dict((name, int(index)) for index, name in re.findall(r'\{(\d+), "([^"]+)"\}', text))
    return {name: (names[name], float(rows[names[name]][0]), float(rows[names[name]][1])) for name in STARS}


def observer(lat, lon, instant, pressure):
    o = ephem.Observer()
    o.lat, o.lon = str(lat), str(lon)
    o.elevation = 0
    o.date = instant
    o.pressure = pressure
    o.temp = 10.0
    return o


def position_angle(ra1, dec1, ra2, dec2):
    """Direction of point 2 seen from point 1 on the sky, from north through east (degrees)."""
    p1 = (math.cos(dec1) * math.cos(ra1), math.cos(dec1) * math.sin(ra1), math.sin(dec1))
    p2 = (math.cos(dec2) * math.cos(ra2), math.cos(dec2) * math.sin(ra2), math.sin(dec2))
    north = (-math.sin(dec1) * math.cos(ra1), -math.sin(dec1) * math.sin(ra1), math.cos(dec1))
    east = (-math.sin(ra1), math.cos(ra1), 0.0)
    dn = sum(a * b for a, b in zip(p2, north))
    de = sum(a * b for a, b in zip(p2, east))
    return math.degrees(math.atan2(de, dn)) % 360.0


def unix_seconds(instant):
    return round((ephem.Date(instant) - ephem.Date("1970-01-01 00:00:00")) * 86400.0)


def rows():
    stars = catalogue()
    out = []
    for lat, lon in PLACES:
        for instant in INSTANTS:
            t = unix_seconds(instant)
            o = observer(lat, lon, instant, 0.0)
            sun = ephem.Sun(o)
            for name in BODIES:
                body = getattr(ephem, name.capitalize())(o)
                limb = -1.0
                if name == "moon":
                    limb = position_angle(float(body.ra), float(body.dec), float(sun.ra), float(sun.dec))
                out.append('    {%.1f, %.1f, %d, "%s", -1, %.4f, %.4f, %.2f, %.2f},' % (
                    lat, lon, t, name, math.degrees(body.alt), math.degrees(body.az), body.mag, limb))
            seen = observer(lat, lon, instant, 1010.0)
            for name in STARS:
                index, ra, dec = stars[name]
                star = ephem.FixedBody()
                star._ra, star._dec, star._epoch = math.radians(ra), math.radians(dec), ephem.J2000
                star.compute(observer(lat, lon, instant, 0.0))
                if HORIZON_BAND_DEG[0] < math.degrees(star.alt) < HORIZON_BAND_DEG[1]:
                    continue
                star.compute(seen if math.degrees(star.alt) > 0 else observer(lat, lon, instant, 0.0))
                out.append('    {%.1f, %.1f, %d, "%s", %d, %.4f, %.4f, 0.0, -1.0},' % (
                    lat, lon, t, name, index, math.degrees(star.alt), math.degrees(star.az)))
    return out


def catalogue_source():
    """What the committed catalogue the star rows come from was made of."""
    inputs = recorded_inputs.recorded(recorded_inputs.read_text(CATALOGUE_PATH))
    return ", ".join("%s %s" % item for item in sorted(inputs.items())) or "no recorded input"


def render():
    head = ["// Generated by tools/sky_ephemeris/make_ephemeris_table.py with PyEphem %s. Do not edit." % ephem.__version__,
            "// latitude, longitude, unix time, body or star name, catalogue index (-1: a body),",
            "// altitude, azimuth, magnitude, moon's bright-limb position angle (-1: none).",
            recorded_inputs.line("PyEphem", ephem.__version__, "// ")]
    head.append("// Star places: src/astro/generated/star_catalogue_data.cpp, made from %s." % catalogue_source())
    return "\n".join(head + rows()) + "\n"


def main():
    checking = "--check" in sys.argv[1:]
    if ephem is None:
        recorded_inputs.missing(TOOL, "PyEphem (Debian python3-ephem)", checking)
    if checking:
        committed = recorded_inputs.read_text(TABLE_PATH)
        recorded_inputs.skip_unless_recorded(TOOL, committed, {"PyEphem": ephem.__version__})
        if committed != render():
            print("%s: tests/astro/ephemeris_table.inc is not what the generator makes" % TOOL)
            return 1
        print("%s: the committed table is current" % TOOL)
        return 0
    text = render()
    if "--write" in sys.argv[1:]:
        with open(TABLE_PATH, "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
    else:
        sys.stdout.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
