#!/usr/bin/python3
"""Checks a frame of the real sky for how light the sky is at its moment.

    sky_light.py REPORT.json FRAME.png YYYY-MM-DDTHH:MM:SSZ LAT,LON

PyEphem gives the sun's true altitude at the moment and place; from it the
sky's phase (night below -18 deg, astronomical, nautical and civil twilight,
day from -0.8 deg), which the report's sun entry must name. The frame must
then look it:
- night: the sky between the stars is the black base;
- each twilight: bluer overhead than red, each darker than the one before,
  and the horizon on the sun's side brighter than on the other;
- day: blue overhead, lighter toward the horizon, no star of the report
  drawn, and the sun drawn where the report puts it: a white disc in a glow.
When the report's moon is on the view and in the earth's umbra, its disc
must be dark copper. Prints what it measured; exit 1 on a failure.
"""

import json
import sys

import ephem
import numpy as np
from PIL import Image

# The sky between the stars at the top, a band under the top edge's middle; and the horizon's corners.
TOP_BAND = (0.05, 0.15)
CORNER = 0.15
PHASES = [(-18.0, "night"), (-12.0, "astronomical twilight"), (-6.0, "nautical twilight"),
          (-0.8, "civil twilight"), (90.0, "day")]
# Overhead, between the stars, the sky's median brightness (mean of the channels) may lie in these bounds.
TOP_BRIGHTNESS = {"night": (0, 8), "astronomical twilight": (1, 25), "nautical twilight": (8, 60),
                  "civil twilight": (25, 140), "day": (100, 230)}


def sun_altitude(moment, place):
    observer = ephem.Observer()
    observer.lat, observer.lon = (str(v) for v in place.split(","))
    observer.date = ephem.Date(moment.replace("T", " ").rstrip("Z"))
    observer.pressure = 0  # the true altitude, as the phases are defined
    sun = ephem.Sun(observer)
    return float(sun.alt) * 180 / np.pi, float(sun.az) * 180 / np.pi


def phase_of(altitude):
    return next(name for limit, name in PHASES if altitude < limit)


def main():
    report_path, frame_path, moment, place = sys.argv[1:5]
    report = json.load(open(report_path))
    frame = np.asarray(Image.open(frame_path).convert("RGB"), dtype=np.float64)
    height, width, _ = frame.shape
    light = frame.mean(axis=2)
    sun = next(o for o in report if o["kind"] == "sun")
    altitude, azimuth = sun_altitude(moment, place)
    phase = phase_of(altitude)
    failures = []
    print(f"{moment} at {place}: the sun {altitude:.2f} deg high at azimuth {azimuth:.1f} (PyEphem), "
          f"report {sun['alt']:.2f} deg, {sun['phase']}, faintest magnitude {sun['limitingMag']}")
    if sun["phase"] != phase:
        failures.append(f"the report says {sun['phase']}, PyEphem's sun says {phase}")

    band = frame[int(TOP_BAND[0] * height):int(TOP_BAND[1] * height), int(0.3 * width):int(0.7 * width)]
    top = np.median(band.reshape(-1, 3), axis=0)
    brightness = top.mean()
    low, high = TOP_BRIGHTNESS[phase]
    print(f"overhead the sky is {top.round().astype(int).tolist()}")
    if not low <= brightness <= high:
        failures.append(f"overhead brightness {brightness:.1f} is not within {low}..{high} for {phase}")
    if phase != "night" and top[2] <= top[0]:
        failures.append(f"overhead the {phase} sky is not blue: {top.tolist()}")

    rows = slice(int((1 - CORNER) * height), height)
    left = np.median(light[rows, :int(CORNER * width)])
    right = np.median(light[rows, int((1 - CORNER) * width):])
    horizon = np.median(light[rows, :])
    print(f"at the horizon: left {left:.1f}, right {right:.1f}")
    # The view faces south from the north: the west, where the evening sun sets, is on the right.
    if phase in ("nautical twilight", "civil twilight") and 180 < azimuth < 360 and right <= left + 2:
        failures.append(f"the sunset's side (right) is not the brighter: {right:.1f} against {left:.1f}")
    if phase == "day" and horizon <= brightness:
        failures.append(f"the horizon ({horizon:.1f}) is not lighter than overhead ({brightness:.1f})")

    if phase == "day":
        for star in (o for o in report if o["kind"] == "star" and "x" in o):
            x, y = round(star["x"]), round(star["y"])
            patch = light[max(0, y - 3):y + 4, max(0, x - 3):x + 4]
            if patch.max() - np.median(light[max(0, y - 12):y + 13, max(0, x - 12):x + 13]) > 40:
                failures.append(f"{star['name']} shines by day at ({x}, {y})")
        if "x" in sun:
            x, y = round(sun["x"]), round(sun["y"])
            disc = frame[y, x]
            glow_near, glow_far = light[y, min(width - 1, x + 12)], light[y, min(width - 1, x + 120)]
            print(f"the sun at ({x}, {y}): {disc.astype(int).tolist()}, glow {glow_near:.0f} near, {glow_far:.0f} far")
            if disc.min() < 230:
                failures.append(f"no white sun at ({x}, {y}): {disc.tolist()}")
            if glow_near <= glow_far + 20:
                failures.append("the sun has no glow round it")
    elif "x" in sun:
        failures.append(f"the sun is on the view in {phase}")

    moon = next(o for o in report if o["kind"] == "moon")
    if "x" in moon and moon.get("eclipse") in ("partial", "total"):
        x, y = round(moon["x"]), round(moon["y"])
        disc = frame[max(0, y - 6):y + 7, max(0, x - 6):x + 7].reshape(-1, 3).mean(axis=0)
        print(f"the moon in a {moon['eclipse']} eclipse ({moon['eclipseMag']}) at ({x}, {y}): {disc.round().tolist()}")
        if moon["eclipse"] == "total" and not (disc[0] > 1.8 * disc[2] and disc[0] > 20 and disc.mean() < 110):
            failures.append(f"the totally eclipsed moon is not dark copper: {disc.tolist()}")

    for failure in failures:
        print("FAIL", failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
