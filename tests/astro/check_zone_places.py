#!/usr/bin/env python3
"""Every name of the installed tzdata (zones and links) through the program's
own lookup: each name zone.tab lists must get zone.tab's place within 0.01
degree, and a link whose target has a place must get a place too. A zone
newer than the table is reported, not failed; when the installed tzdata is
not the table's, a difference is reported and the check skipped (77).

    check_zone_places.py PROBE     PROBE: orvanel_zone_place_probe
"""

import os
import re
import subprocess
import sys

ZONEINFO = "/usr/share/zoneinfo"
TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "astro", "generated", "zone_places_data.cpp")
TOLERANCE_DEG = 0.01
SKIPPED = 77


def iso6709(text):
    m = re.fullmatch(r"([+-])(\d{2})(\d{2})(\d{2})?([+-])(\d{3})(\d{2})(\d{2})?", text)
    s1, d1, m1, c1, s2, d2, m2, c2 = m.groups()
    lat = int(d1) + int(m1) / 60 + int(c1 or 0) / 3600
    lon = int(d2) + int(m2) / 60 + int(c2 or 0) / 3600
    return (-lat if s1 == "-" else lat, -lon if s2 == "-" else lon)


def zone_tab():
    places = {}
    with open(os.path.join(ZONEINFO, "zone.tab"), encoding="utf-8") as f:
        for line in f:
            if not line.startswith("#") and line.strip():
                fields = line.rstrip("\n").split("\t")
                places[fields[2]] = iso6709(fields[1])
    return places


def tzdata():
    version, zones, links = None, [], {}
    with open(os.path.join(ZONEINFO, "tzdata.zi"), encoding="utf-8") as f:
        for line in f:
            m = re.match(r"# version (\S+)", line)
            if m and version is None:
                version = m.group(1)
            if line.startswith("Z "):
                zones.append(line.split()[1])
            elif line.startswith("L "):
                _, target, name = line.split()
                links[name] = target
    return version, zones, links


def main():
    version, zones, links = tzdata()
    with open(TABLE, encoding="utf-8") as f:
        m = re.search(r"^// tzdata version: (\S+)$", f.read(), re.M)
    table_version = m.group(1) if m else "unknown"
    names = sorted(set(zones) | set(links))
    run = subprocess.run([sys.argv[1]], input="\n".join(names) + "\n", capture_output=True, text=True, check=True)
    answers = {}
    for line in run.stdout.splitlines():
        name, lat, lon, source = line.split()
        answers[name] = (float(lat), float(lon), source)
    expected = zone_tab()
    wrong, newer, placeless = [], [], []
    for name in names:
        lat, lon, source = answers[name]
        if name in expected:
            if source != "zone":
                newer.append(name)
            elif max(abs(lat - expected[name][0]), abs(lon - expected[name][1])) > TOLERANCE_DEG:
                wrong.append("%s: %.4f %.4f, zone.tab %.4f %.4f" % ((name, lat, lon) + expected[name]))
        elif source != "zone" and answers.get(links.get(name), (0, 0, ""))[2] == "zone":
            placeless.append("%s (a link to %s)" % (name, links[name]))
    if newer:
        print("zone places: newer than the table (tzdata %s), so from the UTC offset: %s"
              % (table_version, ", ".join(newer)))
    faults = wrong + placeless
    for fault in faults:
        print("zone places: " + fault, file=sys.stderr)
    if faults and version != table_version:
        print("zone places: the table is tzdata %s, this system has %s; differences reported, not failed"
              % (table_version, version))
        return SKIPPED
    if faults:
        return 1
    print("zone places: %d names of tzdata %s; %d of zone.tab's agree within %.2f deg, %d newer than the table"
          % (len(names), version, len(expected) - len(newer), TOLERANCE_DEG, len(newer)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
