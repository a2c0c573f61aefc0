#!/usr/bin/python3
"""Finds the sky report's deep-sky objects as soft patches in a frame of the real sky.

    deep_sky_frame.py REPORT.json FRAME.png NAME...

Each NAME must be a deep-sky object the report puts on the view. The frame
is smoothed with a median over 7x7 pixels, which takes out the stars and the
thin lines but keeps a glow. Around the reported place, out to the object's
radius R (half its major axis, in pixels from the report's own scale there),
the glow's light above the sky's must centre within 2 pixels of the
reported place: the patch is there and not beside it. Its middle must be
brighter than the sky 3R to 4R away by at least MARGIN levels: a patch, not
a brighter stretch of sky. Prints "NAME X Y FOUND_X FOUND_Y CONTRAST" per
object and fails (exit 1) when one is missing, off its place or too faint.
"""

import json
import math
import sys

import numpy as np
from PIL import Image

MEDIAN = 3        # pixels either side of the smoothing window's middle
TOLERANCE = 2.0   # pixels between the report and the glow's centre
MARGIN = 8.0      # levels (mean of red, green, blue) the middle stands above the sky around it
GROUPS = ("galaxy", "cluster", "nebula")


def separation_deg(a, b):
    ra1, de1, ra2, de2 = map(math.radians, (a["ra"], a["dec"], b["ra"], b["dec"]))
    c = math.sin(de1) * math.sin(de2) + math.cos(de1) * math.cos(de2) * math.cos(ra1 - ra2)
    return math.degrees(math.acos(max(-1.0, min(1.0, c))))


def pixels_per_degree(obj, report):
    """The view's scale near obj, from the two stars on the view nearest it."""
    stars = sorted((o for o in report if o["kind"] == "star" and "x" in o), key=lambda o: separation_deg(o, obj))[:2]
    if len(stars) < 2:
        raise SystemExit("the report has too few stars on the view to tell its scale")
    a, b = stars
    return math.hypot(a["x"] - b["x"], a["y"] - b["y"]) / separation_deg(a, b)


def median_smoothed(light):
    padded = np.pad(light, MEDIAN, mode="edge")
    height, width = light.shape
    side = 2 * MEDIAN + 1
    shifted = [padded[dy:dy + height, dx:dx + width] for dy in range(side) for dx in range(side)]
    return np.median(np.stack(shifted), axis=0)


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    report = json.load(open(sys.argv[1]))
    frame = np.asarray(Image.open(sys.argv[2]).convert("RGB"), dtype=np.float64)
    smooth = median_smoothed(frame.sum(axis=2) / 3.0)
    height, width = smooth.shape
    ys, xs = np.mgrid[0:height, 0:width]
    failures = []
    for name in sys.argv[3:]:
        obj = next((o for o in report if o["name"] == name and o["kind"] in GROUPS), None)
        if obj is None or "x" not in obj:
            failures.append(f"{name}: not a deep-sky object on the view")
            continue
        x, y = obj["x"], obj["y"]
        radius = max(3.0, obj["size"][0] / 2.0 / 60.0 * pixels_per_degree(obj, report))
        distance = np.hypot(xs - x, ys - y)
        sky = np.median(smooth[(distance >= 3 * radius) & (distance <= 4 * radius)])
        inside = distance <= radius
        glow = np.clip(smooth - sky, 0.0, None) * inside
        if glow.sum() <= 0.0:
            failures.append(f"{name}: no glow within {radius:.0f} pixels of ({x}, {y})")
            continue
        fx, fy = (xs * glow).sum() / glow.sum(), (ys * glow).sum() / glow.sum()
        middle = smooth[distance <= 1.5].mean()
        contrast = middle - sky
        print(f"{name} {x:.1f} {y:.1f} {fx:.1f} {fy:.1f} {contrast:.1f}")
        if math.hypot(fx - x, fy - y) > TOLERANCE:
            failures.append(f"{name}: glows round ({fx:.1f}, {fy:.1f}), reported at ({x}, {y})")
        if contrast < MARGIN:
            failures.append(f"{name}: its middle stands only {contrast:.1f} above the sky round it")
    for failure in failures:
        print("FAIL", failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
