#!/usr/bin/env python3
"""Generates the built-in star catalogue, constellation figures and Milky Way.

Input: the data files of the npm package d3-celestial (BSD-3-Clause, Olaf
Frohn), version D3_CELESTIAL_VERSION, unpacked by --fetch into the user's cache
(PACKAGE_DIR by default; see README.md):
  data/stars.6.json                every star to magnitude 6 (Hipparcos), with B-V
  data/starnames.json              proper names and Bayer designations
  data/constellations.lines.json   the figures, as chains of star positions
  data/milkyway.json               the Milky Way as five nested brightness bands
  data/constellations.json         where each constellation's name stands, and its IAU name

    make_star_catalogue.py [PACKAGE_DIR]            print the C++ source
    make_star_catalogue.py [PACKAGE_DIR] --write    rewrite src/astro/generated/star_catalogue_data.cpp
    make_star_catalogue.py [PACKAGE_DIR] --check    exit 1 unless the committed file is current,
                                                    77 (skipped) without the package or with another version
    make_star_catalogue.py --fetch                  npm pack the package into the cache once

Stars are written brightest first, so "every star brighter than m" is a
prefix of the table. A figure's vertex is the catalogue star within
MATCH_DEGREES of it; a figure whose star is fainter than the table's limit is
dropped segment by segment. Band outlines are thinned to one point every
MW_STEP_DEGREES, far below a pixel of a screen-wide sky.
Standard library only.
"""

import hashlib
import json
import math
import os
import shutil
import subprocess
import sys
import tarfile
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common"))
import recorded_inputs  # noqa: E402

MAG_LIMIT = 6.0
MATCH_DEGREES = 0.02
MW_STEP_DEGREES = 0.5
# Only names worth writing on a sky: the proper names of the brighter stars.
NAME_MAG_LIMIT = 4.0

SOURCE_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "astro", "generated",
                           "star_catalogue_data.cpp")
TOOL = "make_star_catalogue"
PACKAGE = "d3-celestial"
D3_CELESTIAL_VERSION = "0.7.35"
# What npm pack hands out for that version; anything else is not our input.
TARBALL_SHA256 = "490796718c201e15f38c324bda5458fc4de22519313093bf261b628185eaae81"
CACHE_DIR = os.path.join(os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache"),
                         "orvanel", "%s-%s" % (PACKAGE, D3_CELESTIAL_VERSION))
PACKAGE_DIR = os.path.join(CACHE_DIR, "package")


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


def constellation_names(package, stars):
    """Each constellation's name and where it stands, with the magnitude of its figure's brightest star.

    The halves of Serpens are two entries that share one figure."""
    cells = build_index(stars)
    brightest = {}
    for feature in load(package, "constellations.lines.json")["features"]:
        for chain in feature["geometry"]["coordinates"]:
            for lon, lat in chain:
                index = find_star(cells, stars, ra_of(lon), lat)
                if index is not None:
                    brightest[feature["id"]] = min(brightest.get(feature["id"], 99.0), stars[index]["mag"])
    out = []
    for feature in load(package, "constellations.json")["features"]:
        lon, lat = feature["geometry"]["coordinates"]
        props = feature["properties"]
        out.append({"ra": ra_of(lon), "dec": lat, "mag": brightest.get(feature["id"], MAG_LIMIT),
                    "rank": int(props["rank"]), "name": props["name"]})
    return out


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


def package_version(package):
    with open(os.path.join(package, "package.json"), encoding="utf-8") as f:
        return json.load(f)["version"]


def render(package):
    version = package_version(package)
    stars = read_stars(package)
    names = star_names(package, stars)
    segments, dropped = figure_segments(package, stars)
    rings = milky_way_rings(package)
    constellations = constellation_names(package, stars)
    lines = [
        "// Generated by tools/star_catalogue/make_star_catalogue.py from the data files of",
        "// d3-celestial (BSD-3-Clause); provenance and licence: tools/star_catalogue/README.md.",
        "// Do not edit by hand.",
        recorded_inputs.line(PACKAGE, version, "// "),
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
    lines += ["};", "", "const sMilkyWayRing kMilkyWayRings[] = {"] + ring_rows + ["};", ""]
    lines += ["const sCatalogueConstellation kConstellations[] = {"]
    for c in constellations:
        lines.append("    {%.2ff, %.2ff, %.2ff, %d, %s}," % (c["ra"], c["dec"], c["mag"], c["rank"], c_string(c["name"])))
    lines += ["};", "}  // namespace", ""]
    lines += [
        "const sStarCatalogue& builtInStarCatalogue() {",
        "    static const sStarCatalogue catalogue{kStars,    sizeof kStars / sizeof *kStars,",
        "                                          kNames,    sizeof kNames / sizeof *kNames,",
        "                                          kSegments, sizeof kSegments / sizeof *kSegments,",
        "                                          kMilkyWayPoints, kMilkyWayRings,",
        "                                          sizeof kMilkyWayRings / sizeof *kMilkyWayRings,",
        "                                          kConstellations, sizeof kConstellations / sizeof *kConstellations};",
        "    return catalogue;",
        "}",
        "",
    ]
    summary = "%d stars, %d names, %d figure segments (%d dropped), %d Milky Way rings of %d points, %d constellations" % (
        len(stars), len(names), len(segments), dropped, len(rings), first, len(constellations))
    return "\n".join(lines), summary


def fetch():
    """Packs the pinned version into the cache once; never raises, so setup goes on without a registry."""
    if os.path.isfile(os.path.join(PACKAGE_DIR, "package.json")):
        return 0
    if shutil.which("npm") is None:
        print("%s: npm is missing, so %s %s is not fetched; the catalogue's check will skip"
              % (TOOL, PACKAGE, D3_CELESTIAL_VERSION), file=sys.stderr)
        return 0
    os.makedirs(os.path.dirname(CACHE_DIR), exist_ok=True)
    work = tempfile.mkdtemp(prefix=os.path.basename(CACHE_DIR) + ".", dir=os.path.dirname(CACHE_DIR))
    try:
        packed = subprocess.run(["npm", "pack", "--silent", "%s@%s" % (PACKAGE, D3_CELESTIAL_VERSION)], cwd=work,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, timeout=300)
        tarball = os.path.join(work, "%s-%s.tgz" % (PACKAGE, D3_CELESTIAL_VERSION))
        if packed.returncode != 0 or not os.path.isfile(tarball):
            last_words = packed.stderr.strip().splitlines()
            raise OSError("npm pack exited with %d%s" % (packed.returncode, ": " + last_words[-1] if last_words else ""))
        with open(tarball, "rb") as f:
            digest = hashlib.sha256(f.read()).hexdigest()
        if digest != TARBALL_SHA256:
            raise OSError("the registry's tarball has SHA-256 %s, not %s" % (digest, TARBALL_SHA256))
        with tarfile.open(tarball) as archive:
            # The data filter refuses links and paths out of the folder, where this Python has it.
            if hasattr(tarfile, "data_filter"):
                archive.extractall(work, filter="data")
            else:
                archive.extractall(work)
        # Renamed into place whole, so a cut-off fetch never looks like a finished one.
        os.rename(work, CACHE_DIR)
        print("%s: %s %s unpacked into %s" % (TOOL, PACKAGE, D3_CELESTIAL_VERSION, CACHE_DIR), file=sys.stderr)
    except (OSError, subprocess.SubprocessError, tarfile.TarError) as error:
        shutil.rmtree(work, ignore_errors=True)
        print("%s: could not fetch %s %s (%s); the catalogue's check will skip"
              % (TOOL, PACKAGE, D3_CELESTIAL_VERSION, error), file=sys.stderr)
    return 0


def check_generated(tool, source_path, render_text, package, what):
    """Exit 1 unless the committed file is what render_text makes; 77 without the package or with another version."""
    if not os.path.isfile(os.path.join(package, "package.json")):
        recorded_inputs.skip(tool, "%s is not in %s (scripts/setup.sh fetches it)" % (PACKAGE, package))
    committed = recorded_inputs.read_text(source_path)
    recorded_inputs.skip_unless_recorded(tool, committed, {PACKAGE: package_version(package)})
    text, summary = render_text(package)
    if committed != text:
        print("%s: %s differs from the generator's output" % (tool, os.path.normpath(source_path)))
        return 1
    print("%s: the committed %s is current (%s)" % (tool, what, summary))
    return 0


def run_generator(argv, doc, tool, source_path, render_text, what):
    """The command line every generator of this package shares: print, --write, --check or --fetch."""
    options = [a for a in argv if a.startswith("--")]
    paths = [a for a in argv if not a.startswith("--")]
    if "--help" in options or len(paths) > 1:
        sys.exit(doc)
    if "--fetch" in options:
        return fetch()
    package = paths[0] if paths else PACKAGE_DIR
    if "--check" in options:
        return check_generated(tool, source_path, render_text, package, what)
    if not os.path.isfile(os.path.join(package, "package.json")):
        sys.exit("%s: no %s package in %s; run with --fetch first" % (tool, PACKAGE, package))
    text, summary = render_text(package)
    if "--write" in options:
        recorded_inputs.write_text(source_path, text)
        print(summary, file=sys.stderr)
    else:
        sys.stdout.write(text)
    return 0


def main(argv):
    return run_generator(argv, __doc__, TOOL, SOURCE_PATH, render, "catalogue")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
