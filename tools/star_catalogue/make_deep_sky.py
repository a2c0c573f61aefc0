#!/usr/bin/env python3
"""Generates the built-in table of the brightest deep-sky objects.

Input: the same d3-celestial package as the star catalogue (make_star_catalogue.py
fetches it and pins its version):
  data/dsos.6.json     deep-sky objects, with type, magnitude and size
  data/dsonames.json   their English proper names

    make_deep_sky.py [PACKAGE_DIR]            print the C++ source
    make_deep_sky.py [PACKAGE_DIR] --write    rewrite src/astro/generated/deep_sky_data.cpp
    make_deep_sky.py [PACKAGE_DIR] --check    exit 1 unless the committed file is current,
                                              77 (skipped) without the package or with another version
    make_deep_sky.py --fetch                  npm pack the package into the cache once

Which objects are kept (README.md says why):
  - galaxies, open and globular clusters, bright, emission and reflection
    nebulae, star-forming regions, planetary nebulae and supernova remnants
    to MAG_LIMIT; never dark nebulae, whose "mag" is an opacity class;
  - none from the catalogues whose magnitudes are bogus or missing there
    (UNTRUSTED_CATALOGUES), none with a magnitude of 0 or none, none without
    a size, since a patch needs one;
  - no open cluster of BIG_CLUSTER_ARCMIN or more but the Pleiades: their
    stars are the sight;
  - nothing whose centre lies inside (within half the major axis of) a kept
    object as bright or brighter of the same kind (a star-forming region is
    both a cluster and a nebula here).
Objects are written brightest first. Standard library only.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "common"))
import make_star_catalogue as stars  # noqa: E402
import recorded_inputs  # noqa: E402

MAG_LIMIT = 6.0
BIG_CLUSTER_ARCMIN = 120.0
KEPT_BIG_CLUSTERS = {"M 45"}
UNTRUSTED_CATALOGUES = {"LDN", "Ced", "VdB", "B"}

# d3-celestial's types, as the program's kinds.
GALAXY_TYPES = {"s", "s0", "sd", "i", "e", "g"}
KINDS = {
    "oc": "openCluster",
    "gc": "globularCluster",
    "bn": "brightNebula",
    "en": "brightNebula",
    "rn": "reflectionNebula",
    "pn": "planetaryNebula",
    "snr": "supernovaRemnant",
}
CLUSTER_KINDS = {"openCluster", "globularCluster"}

# The major axis's position angle (degrees from north through east) of the
# clearly elongated big galaxies: RC3 (de Vaucouleurs et al. 1991), as NED
# lists it. The data has none; every other object is drawn round.
POSITION_ANGLES = {
    "M 31": 35.0,
    "M 33": 23.0,
    "LMC": 170.0,
    "SMC": 45.0,
}
NO_POSITION_ANGLE = -1.0

SOURCE_PATH = os.path.join(HERE, "..", "..", "src", "astro", "generated", "deep_sky_data.cpp")
TOOL = "make_deep_sky"


def is_trumpler_class(morph):
    """A cluster's Trumpler class (I3rn, II2p): a Roman numeral, a digit, a richness letter."""
    numeral = morph.rstrip("0123456789nmpr")
    return bool(morph) and numeral in ("I", "II", "III", "IV") and morph[len(numeral):len(numeral) + 1].isdigit()


def kind_of(properties):
    kind = properties["type"]
    if kind in GALAXY_TYPES:
        return "galaxy"
    if kind == "sfr":
        # A star-forming region the data describes by its cluster alone is a cluster to the eye.
        return "openCluster" if is_trumpler_class(properties["morph"].strip()) else "brightNebula"
    return KINDS.get(kind)


def families_of(obj):
    """The kinds an object counts as when one may lie inside another."""
    if obj["kind"] == "galaxy":
        return {"galaxy"}
    if obj["type"] == "sfr":
        return {"cluster", "nebula"}
    return {"cluster"} if obj["kind"] in CLUSTER_KINDS else {"nebula"}


def axes_of(dim):
    """The major and minor axes in arcminutes; None when the data gives no size."""
    try:
        numbers = [float(n) for n in dim.split("x")] if dim.strip() else []
    except ValueError:
        return None
    if not numbers or numbers[0] <= 0:
        return None
    major = numbers[0]
    minor = numbers[1] if len(numbers) > 1 and numbers[1] > 0 else major
    return max(major, minor), min(major, minor)


def candidates(package):
    names = stars.load(package, "dsonames.json")
    out = []
    for feature in stars.load(package, "dsos.6.json")["features"]:
        p = feature["properties"]
        kind = kind_of(p)
        if kind is None or p["desig"].split()[0] in UNTRUSTED_CATALOGUES:
            continue
        try:
            mag = float(p["mag"])
        except (TypeError, ValueError):
            continue
        axes = axes_of(p.get("dim", ""))
        if mag == 0 or mag > MAG_LIMIT or axes is None:
            continue
        if kind == "openCluster" and axes[0] >= BIG_CLUSTER_ARCMIN and p["desig"] not in KEPT_BIG_CLUSTERS:
            continue
        lon, lat = feature["geometry"]["coordinates"]
        name = (names.get(feature["id"]) or {}).get("name", "")
        out.append({"id": feature["id"], "desig": p["desig"], "type": p["type"], "kind": kind, "mag": mag,
                    "ra": stars.ra_of(lon), "dec": lat, "major": axes[0], "minor": axes[1], "name": name})
    out.sort(key=lambda o: (o["mag"], o["desig"]))
    return out


def select(objects):
    kept, dropped = [], []
    for obj in objects:
        host = next((k for k in kept if families_of(k) & families_of(obj) and k["mag"] <= obj["mag"]
                     and stars.separation((obj["ra"], obj["dec"]), (k["ra"], k["dec"])) * 60.0 < k["major"] / 2.0),
                    None)
        if host:
            dropped.append((obj["desig"], host["desig"]))
        else:
            kept.append(obj)
    return kept, dropped


def render(package):
    version = stars.package_version(package)
    objects, inside = select(candidates(package))
    lines = [
        "// Generated by tools/star_catalogue/make_deep_sky.py from the data files of",
        "// d3-celestial (BSD-3-Clause); provenance and licence: tools/star_catalogue/README.md.",
        "// Do not edit by hand.",
        recorded_inputs.line(stars.PACKAGE, version, "// "),
        '#include "astro/deep_sky_catalogue.h"',
        "",
        "namespace {",
        "// ra, dec (J2000), magnitude, major and minor axis (arcmin), position angle (deg; -1: none), kind,",
        "// designation, proper name",
        "const sDeepSkyObject kObjects[] = {",
    ]
    for o in objects:
        angle = POSITION_ANGLES.get(o["desig"], NO_POSITION_ANGLE)
        lines.append("    {%.4ff, %.4ff, %.2ff, %.1ff, %.1ff, %.1ff, eDeepSkyKind::%s, %s, %s}," % (
            o["ra"], o["dec"], o["mag"], o["major"], o["minor"], angle, o["kind"], stars.c_string(o["desig"]),
            stars.c_string(o["name"])))
    lines += [
        "};",
        "}  // namespace",
        "",
        "const sDeepSkyCatalogue& builtInDeepSkyCatalogue() {",
        "    static const sDeepSkyCatalogue catalogue{kObjects, sizeof kObjects / sizeof *kObjects};",
        "    return catalogue;",
        "}",
        "",
    ]
    missing_angles = sorted(set(POSITION_ANGLES) - {o["desig"] for o in objects})
    if missing_angles:
        raise SystemExit("%s: position angles for objects not kept: %s" % (TOOL, ", ".join(missing_angles)))
    summary = "%d deep-sky objects (%d inside brighter ones dropped: %s)" % (
        len(objects), len(inside), ", ".join("%s in %s" % pair for pair in inside))
    return "\n".join(lines), summary


def main(argv):
    return stars.run_generator(argv, __doc__, TOOL, SOURCE_PATH, render, "table")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
