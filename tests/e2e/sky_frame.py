#!/usr/bin/python3
"""Finds the sky report's brightest objects in a frame of the real sky.

    sky_frame.py [--stars-brighter-than=M] REPORT.json FRAME.png [NAME...]

For every planet brighter than magnitude 2 and every star brighter than
magnitude 1 that the report
puts on the view (it gives "x" and "y"), looks for the object's light in the
frame: the brightest pixel near the reported place, then the centre of the
light around it. Prints "NAME X Y FOUND_X FOUND_Y" per object and fails
(exit 1) when one is missing or lies more than 2 pixels away; each NAME
given must be among them. With a magnitude M, stars brighter than M count
(1 by default); the last line is "checked N". Magnitudes are as seen: the
air dims what stands low (0.2 magnitudes per airmass above one, the airmass
capped at 12), so a bright star a degree above the horizon is not expected
to shine.
"""

import json
import math
import sys

import numpy as np
from PIL import Image

SEARCH = 6       # pixels around the reported place where the light is looked for
TOLERANCE = 2.0  # pixels between the report and the light's centre
PEAK = 150       # a bright object's core is at least this bright


def seen_magnitude(obj):
    airmass = min(12.0, 1.0 / math.sin(math.radians(max(obj["alt"], 0.5))))
    return obj["mag"] + 0.2 * (airmass - 1.0)


def main():
    args = sys.argv[1:]
    star_limit = 1.0
    if args and args[0].startswith("--stars-brighter-than="):
        star_limit = float(args.pop(0).split("=", 1)[1])
    report = json.load(open(args[0]))
    wanted = set(args[2:])
    frame = np.asarray(Image.open(args[1]).convert("RGB"), dtype=np.float64)
    light = frame.sum(axis=2) / 3.0
    height, width = light.shape
    checked, failures = set(), []
    for obj in report:
        if "x" not in obj or obj["kind"] not in ("planet", "star"):
            continue
        if seen_magnitude(obj) >= (star_limit if obj["kind"] == "star" else 2.0):
            continue
        x, y = obj["x"], obj["y"]
        left, top = max(0, round(x) - SEARCH), max(0, round(y) - SEARCH)
        window = light[top:round(y) + SEARCH + 1, left:round(x) + SEARCH + 1]
        py, px = np.unravel_index(np.argmax(window), window.shape)
        if window[py, px] < PEAK:
            failures.append(f"{obj['name']}: nothing bright near ({x}, {y})")
            continue
        core = window[max(0, py - 2):py + 3, max(0, px - 2):px + 3]
        ys, xs = np.mgrid[max(0, py - 2):py + 3, max(0, px - 2):px + 3][:, :core.shape[0], :core.shape[1]]
        weight = np.clip(core - 40.0, 0.0, None)
        fx = left + (xs * weight).sum() / weight.sum()
        fy = top + (ys * weight).sum() / weight.sum()
        print(f"{obj['name']} {x:.1f} {y:.1f} {fx:.1f} {fy:.1f}")
        checked.add(obj["name"])
        if np.hypot(fx - x, fy - y) > TOLERANCE:
            failures.append(f"{obj['name']}: drawn at ({fx:.1f}, {fy:.1f}), reported at ({x}, {y})")
    failures += [f"{name}: not on the view" for name in wanted - checked]
    print(f"checked {len(checked)}")
    for failure in failures:
        print("FAIL", failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
