#!/usr/bin/env python3
"""Generates the table that turns the system's time zone into a place.

Sources (see README.md for their licences):
  /usr/share/zoneinfo/zone1970.tab and zone.tab   (tzdata): each zone's
      principal location; zone.tab adds the zones that zone1970.tab folds
      into a neighbour (Europe/Oslo into Europe/Berlin), so an Oslo user sees
      the sky of Oslo
  /usr/share/zoneinfo/tzdata.zi                   every zone and link name,
      and the version ("# version 2025b")
  /usr/share/unicode/cldr/common/bcp47/timezone.xml   (CLDR): the old
      spellings beside the zone they belong to (Africa/Asmera beside
      Africa/Asmara), which tzdata's links do not tell: a link points at any
      zone with the same clocks, often in another country
  /usr/share/unicode/cldr/common/supplemental/windowsZones.xml   (CLDR): each
      Windows time-zone key's IANA zone, per territory
  /usr/share/unicode/cldr/common/dtd/ldmlSupplemental.dtd   CLDR's version

A name that zone.tab does not list takes the place of its own country's
entry: a zone.tab name CLDR lists beside it, else the only zone.tab entry of
the country CLDR's short id names (or the link's target when it is that
country's), else the link target's place, marked as borrowed so that the
program says so when the name is used.

    make_zone_places.py            print the C++ source to standard output
    make_zone_places.py --write    rewrite src/astro/generated/zone_places_data.cpp
    make_zone_places.py --check    exit 1 unless the committed file is what the
                                   sources give; 77 (skipped) when an installed
                                   source's version differs from the recorded one

Standard library only.
"""

import os
import re
import sys
import xml.etree.ElementTree as ElementTree

ZONEINFO = "/usr/share/zoneinfo"
CLDR = "/usr/share/unicode/cldr/common"
WINDOWS_ZONES = os.path.join(CLDR, "supplemental", "windowsZones.xml")
CLDR_ZONE_IDS = os.path.join(CLDR, "bcp47", "timezone.xml")
CLDR_DTD = os.path.join(CLDR, "dtd", "ldmlSupplemental.dtd")
SOURCE_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "astro", "generated",
                           "zone_places_data.cpp")
# CLDR's territory for "any other": the key's own zone; and for "unknown",
# which no user's country is.
DEFAULT_TERRITORY = "001"
UNKNOWN_TERRITORY = "ZZ"
SKIPPED = 77


def iso6709(text):
    """'+5230+01322' or '+522230+0132200' -> (lat, lon) degrees."""
    m = re.fullmatch(r"([+-])(\d{2})(\d{2})(\d{2})?([+-])(\d{3})(\d{2})(\d{2})?", text)
    if not m:
        raise ValueError(text)
    s1, d1, m1, c1, s2, d2, m2, c2 = m.groups()
    lat = int(d1) + int(m1) / 60 + int(c1 or 0) / 3600
    lon = int(d2) + int(m2) / 60 + int(c2 or 0) / 3600
    return (-lat if s1 == "-" else lat, -lon if s2 == "-" else lon)


def read_tab(name):
    """zone -> (countries, (lat, lon))."""
    places = {}
    with open(os.path.join(ZONEINFO, name), encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            fields = line.rstrip("\n").split("\t")
            places[fields[2]] = (fields[0].split(","), iso6709(fields[1]))
    return places


def read_tzdata():
    """(version, zone names, {link: target})."""
    version, zones, links = None, set(), {}
    with open(os.path.join(ZONEINFO, "tzdata.zi"), encoding="utf-8") as f:
        for line in f:
            if version is None:
                m = re.match(r"# version (\S+)", line)
                if m:
                    version = m.group(1)
            if line.startswith("Z "):
                zones.add(line.split()[1])
            elif line.startswith("L "):
                _, target, name = line.split()
                links[name] = target
    return version, zones, links


def cldr_version():
    with open(CLDR_DTD, encoding="utf-8") as f:
        m = re.search(r'cldrVersion\s+CDATA\s+#FIXED\s+"([^"]+)"', f.read())
    return m.group(1) if m else None


def installed_versions():
    return {"tzdata": read_tzdata()[0], "CLDR": cldr_version()}


def read_cldr_groups():
    """name -> (CLDR short id, every name of that location)."""
    groups = {}
    for zone_type in ElementTree.parse(CLDR_ZONE_IDS).getroot().iter("type"):
        names = (zone_type.get("alias") or "").split()
        for name in names:
            groups[name] = (zone_type.get("name"), names)
    return groups


def read_windows_zones():
    """{(key, territory): IANA zone}; a territory's row only where it differs from the key's own zone."""
    rows = {}
    for zone in ElementTree.parse(WINDOWS_ZONES).getroot().iter("mapZone"):
        if zone.get("territory") == UNKNOWN_TERRITORY:
            continue
        rows[(zone.get("other"), zone.get("territory"))] = zone.get("type").split()[0]
    return {(key, territory): iana for (key, territory), iana in rows.items()
            if territory == DEFAULT_TERRITORY or iana != rows.get((key, DEFAULT_TERRITORY))}


def country_of_short_id(short_id, countries):
    """CLDR's short ids start with the ISO country code ("erasm", "mxstis");
    the few that do not ("utc", "est5edt", "gaza") are not letters-only
    names of five or more."""
    code = short_id[:2].upper()
    return code if len(short_id) >= 5 and short_id.isalpha() and code in countries else None


def place_of_link(name, target, own, groups, by_country):
    """(place, borrowed-from zone or None) of a name zone.tab does not list, or None."""
    short_id, members = groups.get(name, (None, []))
    for member in members:
        if member in own:
            return own[member][1], None
    country = country_of_short_id(short_id, by_country) if short_id else None
    if country:
        entries = by_country[country]
        if len(entries) == 1:
            return own[entries[0]][1], None
        if target in entries:
            return own[target][1], None
    if target in own:
        return own[target][1], target
    return None


def build_places():
    own = read_tab("zone1970.tab")
    for name, entry in read_tab("zone.tab").items():
        own[name] = entry
    # Countries from zone.tab alone: zone1970.tab's entries span several.
    by_country = {}
    for name, (countries, _) in read_tab("zone.tab").items():
        by_country.setdefault(countries[0], []).append(name)
    _, zones, links = read_tzdata()
    groups = read_cldr_groups()
    places = {name: (place, None) for name, (_, place) in own.items()}
    for name in sorted(zones | set(links)):
        if name in places:
            continue
        target = links.get(name)
        found = place_of_link(name, target, own, groups, by_country)
        if found:
            places[name] = found
    return places


def render():
    versions = installed_versions()
    places = build_places()
    windows = read_windows_zones()
    _, zones, links = read_tzdata()
    # A key whose zone has no place (Etc/GMT+12) falls back on the UTC offset
    # at run time; a zone tzdata does not know at all is a fault of the inputs.
    unknown = sorted({iana for iana in windows.values() if iana not in zones and iana not in links})
    if unknown:
        sys.exit("windowsZones.xml names zones tzdata does not know: " + ", ".join(unknown))
    lines = [
        "// Generated by tools/time_zones/make_zone_places.py from tzdata (zone1970.tab,",
        "// zone.tab, tzdata.zi; public domain) and Unicode CLDR (bcp47/timezone.xml,",
        "// windowsZones.xml; Unicode licence). Do not edit by hand.",
        "// tzdata version: %s" % versions["tzdata"],
        "// CLDR version: %s" % versions["CLDR"],
        '#include "astro/place_from_time_zone.h"',
        "",
        "namespace {",
        "// Sorted by name for binary search.",
        "const sZonePlace kZonePlaces[] = {",
    ]
    for name in sorted(places):
        (lat, lon), borrowed = places[name]
        if borrowed:
            lines.append('    {"%s", %.4f, %.4f, "%s"},' % (name, lat, lon, borrowed))
        else:
            lines.append('    {"%s", %.4f, %.4f, nullptr},' % (name, lat, lon))
    lines += ["};", "", "// Sorted by key, then territory.", "const sWindowsZone kWindowsZones[] = {"]
    for key, territory in sorted(windows):
        lines.append('    {"%s", "%s", "%s"},' % (key, territory, windows[(key, territory)]))
    lines += [
        "};",
        "}  // namespace",
        "",
        "const sZoneTables& builtInZoneTables() {",
        "    static const sZoneTables tables{kZonePlaces, sizeof kZonePlaces / sizeof *kZonePlaces, kWindowsZones,",
        "                                    sizeof kWindowsZones / sizeof *kWindowsZones};",
        "    return tables;",
        "}",
        "",
    ]
    return "\n".join(lines)


def recorded_versions(text):
    return {name: value for name, value in re.findall(r"^// (tzdata|CLDR) version: (\S+)$", text, re.M)}


def check():
    with open(SOURCE_PATH, encoding="utf-8") as f:
        committed = f.read()
    recorded, installed = recorded_versions(committed), installed_versions()
    changed = ["%s %s (the table has %s)" % (name, installed[name], recorded.get(name, "no version"))
               for name in sorted(installed) if recorded.get(name) != installed[name]]
    if changed:
        print("zone places: this system has " + ", ".join(changed) + "; not compared. "
              "Run tools/time_zones/make_zone_places.py --write to take the new data.")
        return SKIPPED
    if committed != render():
        print("zone_places_data.cpp is not what make_zone_places.py makes of tzdata %s and CLDR %s"
              % (installed["tzdata"], installed["CLDR"]), file=sys.stderr)
        return 1
    print("zone places: the table is tzdata %s and CLDR %s" % (installed["tzdata"], installed["CLDR"]))
    return 0


def main():
    if "--check" in sys.argv[1:]:
        sys.exit(check())
    text = render()
    if "--write" in sys.argv[1:]:
        with open(SOURCE_PATH, "w", encoding="utf-8") as f:
            f.write(text)
    else:
        sys.stdout.write(text)


if __name__ == "__main__":
    main()
