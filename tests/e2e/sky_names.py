#!/usr/bin/env python3
"""The sky's names stand where the sky report puts their objects.

    sky_names.py REPORT.json WITH_NAMES.png WITHOUT_NAMES.png [SHOWER...]

The two frames are of one moment, with names on and off: what differs is the
names' ink. Each constellation the report puts on the view, away from the
edges and from the stars' and planets' own names, must have ink centred
within a few pixels of its place. Each meteor shower named on the command
line must be on the view, its name's ink starting just right of and below
its radiant. No ink may stand outside the names' boxes. Pillow is not
needed: ImageMagick turns the frames into raw pixels.
"""
import json
import subprocess
import sys

TOLERANCE = 3
HALF_WIDTH = 100     # the widest name's half
HALF_HEIGHT = 9      # the names' pictures are 16 rows
STAR_NAME_BOX = (6, 2, 120, 16)   # right of and below a named point: dx, dy, width, height
SHOWER_NAME_BOX = (6, 2, 140, 16)  # the same beside a shower's radiant
NAMED_STAR_MAG = 1.6
THRESHOLD = 12       # summed channel difference that counts as ink


def pixels(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True, text=True).stdout
    width, height = map(int, size.split())
    raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    return width, height, raw


def overlap(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def check_showers(report, ink, showers, failures):
    """Each named shower's name starts just right of and below its radiant; returns the names' boxes."""
    boxes = []
    for o in report:
        if o["kind"] != "shower" or "x" not in o:
            continue
        dx, dy, w, h = SHOWER_NAME_BOX
        box = (o["x"] + dx - 2, o["y"] + dy - 2, o["x"] + dx + w + 2, o["y"] + dy + h + 2)
        boxes.append(box)
        if o["name"] not in showers:
            continue
        showers.remove(o["name"])
        mine = [p for p in ink if box[0] <= p[0] <= box[2] and box[1] <= p[1] <= box[3]]
        if not mine:
            failures.append("%s: no name by its radiant at %.0f,%.0f" % (o["name"], o["x"], o["y"]))
            continue
        left = min(p[0] for p in mine)
        if abs(left - (o["x"] + dx)) > TOLERANCE + 2:
            failures.append("%s: the name starts at x %d, not beside the radiant at %.1f" % (o["name"], left, o["x"]))
    for name in showers:
        failures.append("%s: the report has no such shower on the view" % name)
    return boxes


def main(report_path, with_path, without_path, *showers):
    width, height, named = pixels(with_path)
    _, _, plain = pixels(without_path)
    ink = set()
    for i in range(width * height):
        if sum(abs(named[3 * i + c] - plain[3 * i + c]) for c in range(3)) > THRESHOLD:
            ink.add((i % width, i // width))
    report = json.load(open(report_path))
    point_boxes = []
    for o in report:
        named_point = o["kind"] == "planet" or (o["kind"] == "star" and o["mag"] < NAMED_STAR_MAG
                                                 and not o["name"].startswith("Star "))
        if named_point and "x" in o:
            dx, dy, w, h = STAR_NAME_BOX
            point_boxes.append((o["x"] + dx - 2, o["y"] + dy - 2, o["x"] + dx + w + 2, o["y"] + dy + h + 2))
    checked, failures, name_boxes = 0, [], []
    for o in report:
        if o["kind"] != "constellation" or "x" not in o:
            continue
        x, y = o["x"], o["y"]
        box = (x - HALF_WIDTH, y - HALF_HEIGHT, x + HALF_WIDTH, y + HALF_HEIGHT)
        name_boxes.append(box)
        if not (HALF_WIDTH < x < width - HALF_WIDTH and HALF_HEIGHT < y < height - HALF_HEIGHT):
            continue
        # A name beside a point, or another constellation's, would pull the ink's middle away.
        neighbours = [o2 for o2 in report if o2["kind"] == "constellation" and o2 is not o and "x" in o2
                      and abs(o2["x"] - x) < 2 * HALF_WIDTH and abs(o2["y"] - y) < 2 * HALF_HEIGHT]
        if any(overlap(b, box) for b in point_boxes) or neighbours:
            continue
        mine = [(px, py) for (px, py) in ink if box[0] <= px <= box[2] and box[1] <= py <= box[3]]
        checked += 1
        if not mine:
            failures.append("%s: no name at %.0f,%.0f" % (o["name"], x, y))
            continue
        xs = [p[0] for p in mine]
        ys = [p[1] for p in mine]
        cx, cy = (min(xs) + max(xs)) / 2.0, (min(ys) + max(ys)) / 2.0
        if abs(cx - x) > TOLERANCE or abs(cy - y) > TOLERANCE:
            failures.append("%s: the name is centred at %.1f,%.1f, the report says %.1f,%.1f" % (o["name"], cx, cy, x, y))
    shower_boxes = check_showers(report, ink, list(showers), failures)
    allowed = name_boxes + point_boxes + shower_boxes
    stray = [p for p in ink if not any(b[0] <= p[0] <= b[2] and b[1] <= p[1] <= b[3] for b in allowed)]
    if stray:
        failures.append("%d pixels of names stand away from every name's place, e.g. %s" % (len(stray), sorted(stray)[:3]))
    if checked < 3:
        failures.append("only %d constellations' names could be checked" % checked)
    for failure in failures:
        print("sky names: " + failure, file=sys.stderr)
    print("sky names: %d constellations checked, %d ink pixels" % (checked, len(ink)))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
