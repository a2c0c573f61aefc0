#!/usr/bin/env python3
"""The earth's shadow on the moon in --sky-report against PyEphem.

For two total and one partial lunar eclipse, PyEphem's geocentric places and
distances of the sun and the moon give the greatest eclipse (the minute the
moon passes nearest the antisolar point) and the umbral and penumbral
magnitudes by the same rule of shadow radii (parallaxes and the sun's
semidiameter, enlarged 2 %). The report must say the same state and
magnitude at the greatest eclipse and one hour before and after, and dim the
moon by ten magnitudes or more at totality.

    check_eclipses.py path/to/orvanel
"""
import json
import math
import subprocess
import sys

import ephem

AU_KM = 149597870.7
ECLIPSES = [("2026-03-03 total", "2026/3/3 11:30"), ("2026-08-28 partial", "2026/8/28 04:10"),
            ("2029-06-26 total", "2029/6/26 03:20")]


def magnitudes(when):
    moon, sun = ephem.Moon(when), ephem.Sun(when)
    apart = ephem.separation((moon.g_ra, moon.g_dec), (sun.g_ra + math.pi, -sun.g_dec))
    moon_km, sun_km = moon.earth_distance * AU_KM, sun.earth_distance * AU_KM
    moon_parallax, sun_parallax = math.asin(6378.14 / moon_km), math.asin(6378.14 / sun_km)
    sun_radius, moon_radius = math.asin(696000.0 / sun_km), math.asin(1737.4 / moon_km)
    umbra = 1.02 * (0.998340 * moon_parallax + sun_parallax - sun_radius)
    penumbra = 1.02 * (0.998340 * moon_parallax + sun_parallax + sun_radius)
    return ((umbra + moon_radius - apart) / (2 * moon_radius), (penumbra + moon_radius - apart) / (2 * moon_radius),
            apart)


def state_of(umbral, penumbral):
    if umbral >= 1:
        return "total"
    if umbral > 0:
        return "partial"
    return "penumbral" if penumbral > 0 else "none"


def reported_moon(orvanel, when):
    at = ephem.Date(when).datetime().strftime("%Y-%m-%dT%H:%M:%SZ")
    out = subprocess.run([orvanel, "--sky-report", "--at", at, "--place", "48.21,16.37"], check=True,
                         capture_output=True, text=True).stdout
    return next(o for o in json.loads(out) if o["kind"] == "moon")


def main():
    orvanel = sys.argv[1]
    failures = []
    for name, near in ECLIPSES:
        start = ephem.Date(near) - 3 * ephem.hour
        greatest = min((ephem.Date(start + i * ephem.minute) for i in range(6 * 60)), key=lambda t: magnitudes(t)[2])
        for offset in (-1, 0, 1):
            when = ephem.Date(greatest + offset * ephem.hour)
            umbral, penumbral, _ = magnitudes(when)
            expected_state = state_of(umbral, penumbral)
            expected_mag = umbral if umbral > 0 else penumbral
            moon = reported_moon(orvanel, when)
            line = (f"{name} {offset:+d} h ({ephem.Date(when)} UT): PyEphem {expected_state} {expected_mag:.3f}, "
                    f"report {moon['eclipse']} {moon['eclipseMag']:.3f}, moon mag {moon['mag']:.2f}")
            print(line)
            if moon["eclipse"] != expected_state or abs(moon["eclipseMag"] - expected_mag) > 0.03:
                failures.append(line)
            if expected_state == "total" and moon["mag"] < -3.0:
                failures.append(line + ": a total eclipse leaves the moon too bright")
            if expected_state == "none" and moon["mag"] > -10.0:
                failures.append(line + ": the moon is dimmed outside the shadow")
    if failures:
        print("eclipses: wrong:\n  " + "\n  ".join(failures), file=sys.stderr)
        return 1
    print("eclipses: ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
