#!/usr/bin/env python3
"""Checks the committed moon tables against an independent ephemeris.

Reads src/moon/generated/moon_event_tables.cpp as the build sees it and asks PyEphem
(Debian python3-ephem: VSOP87 and ELP2000 via libastro, sharing no code or
series with our generator) for the full or new moon nearest each entry. Every
entry must lie within one minute of PyEphem's instant, both tables must hold
137 entries, and consecutive phases must be one lunation apart.

Run with the system interpreter that carries python3-ephem, for example
    /usr/bin/python3 tools/moon_tables/verify_with_ephem.py
Exits 0 when every entry agrees, 1 otherwise.
"""

import datetime
import os
import re
import sys

try:
    import ephem
except ImportError:
    sys.exit("verify_with_ephem: PyEphem is missing (Debian package python3-ephem)")

TOLERANCE_SECONDS = 60.0
EVENTS_PER_TABLE = 137
SOURCE_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "moon", "generated",
                           "moon_event_tables.cpp")
ROW = re.compile(r"\{\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)\s*\}")


def committed_tables():
    with open(SOURCE_PATH, encoding="utf-8") as source:
        text = source.read()
    tables = {}
    for name in ("fullMoonTimesUTC", "newMoonTimesUTC"):
        body = re.search(name + r"\s*=\s*\{\{(.*?)\}\};", text, re.S).group(1)
        tables[name] = [datetime.datetime(int(y), int(mo), int(d), int(h), int(mi))
                        for d, mo, y, h, mi in ROW.findall(body)]
    return tables


def phase_after(finder_next, moment):
    # Searching forward from a few days earlier finds the phase itself even
    # when the two instants are seconds apart, where a search from the entry
    # in one direction would skip to the neighbouring lunation.
    return finder_next(ephem.Date(moment - datetime.timedelta(days=3))).datetime()


def main():
    tables = committed_tables()
    finders = {
        "fullMoonTimesUTC": ephem.next_full_moon,
        "newMoonTimesUTC": ephem.next_new_moon,
    }
    failures = 0
    worst = 0.0
    for name, entries in tables.items():
        if len(entries) != EVENTS_PER_TABLE:
            print("%s holds %d entries, expected %d" % (name, len(entries), EVENTS_PER_TABLE))
            failures += 1
        for previous, entry in zip(entries, entries[1:]):
            days = (entry - previous).total_seconds() / 86400.0
            if not 29.2 <= days <= 29.9:
                print("%s: %s follows %s after %.2f days" % (name, entry, previous, days))
                failures += 1
        for entry in entries:
            reference = phase_after(finders[name], entry)
            difference = (entry - reference).total_seconds()
            worst = max(worst, abs(difference))
            if abs(difference) > TOLERANCE_SECONDS:
                print("%s: %s is %.0f s from PyEphem's %s" % (name, entry, difference, reference))
                failures += 1
    checked = sum(len(entries) for entries in tables.values())
    print("verify_with_ephem: %d instants checked, largest difference %.1f s, %d failures"
          % (checked, worst, failures))
    print("%d passed, %d failed" % (checked - min(failures, checked), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
