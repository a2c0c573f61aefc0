#!/usr/bin/env python3
"""Generates the built-in star catalogue, constellation figures and Milky Way.

Input: the data files of the d3-celestial package (BSD-3-Clause, Olaf Frohn),
as unpacked by `npm pack d3-celestial && tar xzf d3-celestial-*.tgz`:
  data/stars.6.json                every star to magnitude 6 (Hipparcos), with B-V
  data/starnames.json              proper names and Bayer designations
  data/constellations.lines.json   the figures, as chains of star positions
  data/milkyway.json               the Milky Way as five nested brightness bands

    make_star_catalogue.py PACKAGE_DIR            print the C++ source
    make_star_catalogue.py PACKAGE_DIR --write    rewrite src/astro/star_catalogue_data.cpp

Stars are written brightest first, so "every star brighter than m" is a
prefix of the table. A figure's vertex is the catalogue star within
MATCH_DEGREES of it; a figure whose star is fainter than the table's limit is
dropped segment by segment. Band outlines are thinned to one point every
MW_STEP_DEGREES, far below a pixel of a screen-wide sky.
Standard library only.
"""

import json
import math
import os
import sys

MAG_LIMIT = 6.0
MATCH_DEGREES = 0.02
MW_STEP_DEGREES = 0.5
# Only names worth writing on a sky: the proper names of the brighter stars.
NAME_MAG_LIMIT = 4.0

SOURCE_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "astro",
                           "star_catalogue_data.cpp")


def ra_of(lon):
    return lon % 360.0


def load(package, name):
    with open(os.path.join(package, "data", name), encoding="utf-8") as f:
        return json.load(f)


def separation(a, b):
    ra1, de1 = map(math.radians, a)
    ra2, de2 = map(math.radians, b)
    c = math.sin(de1) * math.sin(de2) + math.cos(de1) * math.cos(de2) * math.cos(ra1 - ra2)
    return math.degrees(math.acos(max(-1.0, min(1.0, c))))


def read_stars(package):
    stars = []
    for feature in load(package, "stars.6.json")["features"]:
        mag = float(feature["properties"]["mag"])
        if mag > MAG_LIMIT:
            continue
        bv_text = feature["properties"].get("bv", "")
        try:
            bv = float(bv_text)
        except (TypeError, ValueError):
            bv = 0.6  # a sun-like white when the catalogue does not say
        lon, lat = feature["geometry"]["coordinates"]
        stars.append({"hip": int(feature["id"]), "ra": ra_of(lon), "dec": lat, "mag": mag, "bv": bv})
    stars.sort(key=lambda s: (s["mag"], s["hip"]))
    return stars


def star_names(package, stars):
    names = load(package, "starnames.json")
    out = []
    for index, star in enumerate(stars):
        entry = names.get(str(star["hip"]))
        if not entry or star["mag"] > NAME_MAG_LIMIT:
            continue
        if entry.get("name"):
            out.append((index, entry["name"]))
        elif entry.get("bayer") and star["mag"] < 2.5:
            out.append((index, entry["bayer"] + " " + entry["c"]))
    return out


def build_index(stars):
    cells = {}
    for index, star in enumerate(stars):
        cells.setdefault((int(star["dec"]), int(star["ra"])), []).append(index)
    return cells


def find_star(cells, stars, ra, dec):
    best = None
    for dd in (-1, 0, 1):
        for dr in (-1, 0, 1):
            for index in cells.get((int(dec) + dd, (int(ra) + dr) % 360), []):
                d = separation((ra, dec), (stars[index]["ra"], stars[index]["dec"]))
                if d <= MATCH_DEGREES and (best is None or d < best[0]):
                    best = (d, index)
    return None if best is None else best[1]


def figure_segments(package, stars):
    cells = build_index(stars)
    segments, dropped = [], 0
    for feature in load(package, "constellations.lines.json")["features"]:
        for chain in feature["geometry"]["coordinates"]:
            ids = [find_star(cells, stars, ra_of(lon), lat) for lon, lat in chain]
            for a, b in zip(ids, ids[1:]):
                if a is None or b is None or a == b:
                    dropped += 1
                    continue
                segments.append((min(a, b), max(a, b)))
    return sorted(set(segments)), dropped


def milky_way_rings(package):
    rings = []
    for feature in load(package, "milkyway.json")["features"]:
        level = int(feature["id"][-1])
        geometry = feature["geometry"]
        polygons = geometry["coordinates"] if geometry["type"] == "MultiPolygon" else [geometry["coordinates"]]
        for polygon in polygons:
            for ring in polygon:
                points = [(ra_of(lon), lat) for lon, lat in ring]
                kept = [points[0]]
                for p in points[1:]:
                    if separation(p, kept[-1]) >= MW_STEP_DEGREES:
                        kept.append(p)
                if len(kept) >= 3:
                    rings.append((level, kept))
    return rings


def c_string(text):
    return '"' + "".join(c if c.isascii() and c not in '"\\' else "".join("\\%03o" % b for b in c.encode("utf-8"))
                         for c in text) + '"'


def render(package):
    stars = read_stars(package)
    names = star_names(package, stars)
    segments, dropped = figure_segments(package, stars)
    rings = milky_way_rings(package)
    lines = [
        "// Generated by tools/star_catalogue/make_star_catalogue.py from the d3-celestial",
        "// data files (BSD-3-Clause); see star_catalogue_data.md. Do not edit by hand.",
        '#include "astro/star_catalogue.h"',
        "",
        "namespace {",
        "const sCatalogueStar kStars[] = {",
    ]
    for s in stars:
        lines.append("    {%.4ff, %.4ff, %.2ff, %.3ff}," % (s["ra"], s["dec"], s["mag"], s["bv"]))
    lines += ["};", "", "const sCatalogueName kNames[] = {"]
    for index, name in names:
        lines.append("    {%d, %s}," % (index, c_string(name)))
    lines += ["};", "", "const sFigureSegment kSegments[] = {"]
    for i in range(0, len(segments), 8):
        lines.append("    " + " ".join("{%d, %d}," % seg for seg in segments[i:i + 8]))
    lines += ["};", "", "const sSkyPoint kMilkyWayPoints[] = {"]
    ring_rows, first = [], 0
    for level, points in rings:
        ring_rows.append("    {%d, %d, %d}," % (level, first, len(points)))
        first += len(points)
        for i in range(0, len(points), 6):
            lines.append("    " + " ".join("{%.2ff, %.2ff}," % p for p in points[i:i + 6]))
    lines += ["};", "", "const sMilkyWayRing kMilkyWayRings[] = {"] + ring_rows + ["};", "}  // namespace", ""]
    lines += [
        "const sStarCatalogue& builtInStarCatalogue() {",
        "    static const sStarCatalogue catalogue{kStars,    sizeof kStars / sizeof *kStars,",
        "                                          kNames,    sizeof kNames / sizeof *kNames,",
        "                                          kSegments, sizeof kSegments / sizeof *kSegments,",
        "                                          kMilkyWayPoints, kMilkyWayRings,",
        "                                          sizeof kMilkyWayRings / sizeof *kMilkyWayRings};",
        "    return catalogue;",
        "}",
        "",
    ]
    summary = "%d stars, %d names, %d figure segments (%d dropped), %d Milky Way rings of %d points" % (
        len(stars), len(names), len(segments), dropped, len(rings), first)
    return "\n".join(lines), summary


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    text, summary = render(sys.argv[1])
    if "--write" in sys.argv[2:]:
        with open(SOURCE_PATH, "w", encoding="utf-8") as f:
            f.write(text)
        print(summary, file=sys.stderr)
    else:
        sys.stdout.write(text)


if __name__ == "__main__":
    main()
