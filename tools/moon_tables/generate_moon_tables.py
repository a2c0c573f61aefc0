#!/usr/bin/env python3
"""Generates the built-in tables of full-moon and new-moon instants.

The instants come from the mean-phase series with periodic and planetary
corrections of J. Meeus, "Astronomical Algorithms" (2nd ed., chapter 49),
which give Terrestrial Time; Delta T turns them into UTC, and each instant
is rounded to the nearest minute as published tables of lunar phases are.

    generate_moon_tables.py            print the C++ source to standard output
    generate_moon_tables.py --write    rewrite src/moon/generated/moon_event_tables.cpp
    generate_moon_tables.py --check    exit 1 unless the committed file is current
    generate_moon_tables.py --list     one line per instant (kind, ISO time, seconds)

Standard library only, so any Python 3 reproduces the committed numbers.
"""

import datetime
import math
import os
import sys

FIRST_FULL_MOON = (2019, 12, 12)
NEW_MOON_AFTER_FIRST_FULL_MOON = (2019, 12, 26)
EVENTS_PER_TABLE = 137

SOURCE_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "moon", "generated",
                           "moon_event_tables.cpp")

# Delta T = TT - UT in seconds, from the polynomial of Espenak and Meeus for
# 2005-2050 (NASA's Five Millennium Canon of Solar Eclipses), the prediction
# that published tables of lunar phases for this decade were computed with.
UNIX_EPOCH_JD = 2440587.5


def delta_t_seconds(year_fraction):
    t = year_fraction - 2000
    return 62.92 + 0.32217 * t + 0.005589 * t * t


def sin_deg(angle):
    return math.sin(math.radians(angle % 360.0))


NEW_MOON_TERMS = (
    # coefficient, power of E, multiples of (M, M', F, Omega)
    (-0.40720, 0, (0, 1, 0, 0)),
    (0.17241, 1, (1, 0, 0, 0)),
    (0.01608, 0, (0, 2, 0, 0)),
    (0.01039, 0, (0, 0, 2, 0)),
    (0.00739, 1, (-1, 1, 0, 0)),
    (-0.00514, 1, (1, 1, 0, 0)),
    (0.00208, 2, (2, 0, 0, 0)),
    (-0.00111, 0, (0, 1, -2, 0)),
    (-0.00057, 0, (0, 1, 2, 0)),
    (0.00056, 1, (1, 2, 0, 0)),
    (-0.00042, 0, (0, 3, 0, 0)),
    (0.00042, 1, (1, 0, 2, 0)),
    (0.00038, 1, (1, 0, -2, 0)),
    (-0.00024, 1, (-1, 2, 0, 0)),
    (-0.00017, 0, (0, 0, 0, 1)),
    (-0.00007, 0, (2, 1, 0, 0)),
    (0.00004, 0, (0, 2, -2, 0)),
    (0.00004, 0, (3, 0, 0, 0)),
    (0.00003, 0, (1, 1, -2, 0)),
    (0.00003, 0, (0, 2, 2, 0)),
    (-0.00003, 0, (1, 1, 2, 0)),
    (0.00003, 0, (-1, 1, 2, 0)),
    (-0.00002, 0, (-1, 1, -2, 0)),
    (-0.00002, 0, (1, 3, 0, 0)),
    (0.00002, 0, (0, 4, 0, 0)),
)

FULL_MOON_COEFFICIENTS = (
    -0.40614, 0.17302, 0.01614, 0.01043, 0.00734, -0.00515, 0.00209, -0.00111, -0.00057, 0.00056,
    -0.00042, 0.00042, 0.00038, -0.00024, -0.00017, -0.00007, 0.00004, 0.00004, 0.00003, 0.00003,
    -0.00003, 0.00003, -0.00002, -0.00002, 0.00002,
)

PLANETARY_TERMS = (
    # coefficient, constant, rate per lunation (the first also has -0.009173 T^2)
    (0.000325, 299.77, 0.107408),
    (0.000165, 251.88, 0.016321),
    (0.000164, 251.83, 26.651886),
    (0.000126, 349.42, 36.412478),
    (0.000110, 84.66, 18.206239),
    (0.000062, 141.74, 53.303771),
    (0.000060, 207.14, 2.453732),
    (0.000056, 154.84, 7.306860),
    (0.000047, 34.52, 27.261239),
    (0.000042, 207.19, 0.121824),
    (0.000040, 291.34, 1.844379),
    (0.000037, 161.72, 24.198154),
    (0.000035, 239.56, 25.513099),
    (0.000023, 331.55, 3.592518),
)


def phase_jde(k):
    """Julian Ephemeris Day (TT) of the new moon (integer k) or full moon (k + 0.5)."""
    t = k / 1236.85
    jde = (2451550.09766 + 29.530588861 * k + 0.00015437 * t ** 2 - 0.000000150 * t ** 3
           + 0.00000000073 * t ** 4)
    e = 1 - 0.002516 * t - 0.0000074 * t ** 2
    sun_anomaly = 2.5534 + 29.10535670 * k - 0.0000014 * t ** 2 - 0.00000011 * t ** 3
    moon_anomaly = (201.5643 + 385.81693528 * k + 0.0107582 * t ** 2 + 0.00001238 * t ** 3
                    - 0.000000058 * t ** 4)
    latitude_argument = (160.7108 + 390.67050284 * k - 0.0016118 * t ** 2 - 0.00000227 * t ** 3
                         + 0.000000011 * t ** 4)
    node = 124.7746 - 1.56375588 * k + 0.0020672 * t ** 2 + 0.00000215 * t ** 3

    is_full = abs(k - math.floor(k) - 0.5) < 1e-9
    for index, (new_coefficient, e_power, multiples) in enumerate(NEW_MOON_TERMS):
        coefficient = FULL_MOON_COEFFICIENTS[index] if is_full else new_coefficient
        m, mp, f, om = multiples
        angle = m * sun_anomaly + mp * moon_anomaly + f * latitude_argument + om * node
        jde += coefficient * e ** e_power * sin_deg(angle)

    for index, (coefficient, constant, rate) in enumerate(PLANETARY_TERMS):
        angle = constant + rate * k - (0.009173 * t ** 2 if index == 0 else 0.0)
        jde += coefficient * sin_deg(angle)
    return jde


def jde_to_utc(jde):
    seconds_tt = (jde - UNIX_EPOCH_JD) * 86400.0
    approximate = datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=seconds_tt)
    year_fraction = approximate.year + (approximate.timetuple().tm_yday - 1) / 365.25
    return datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=seconds_tt - delta_t_seconds(year_fraction))


def round_to_minute(moment):
    rounded = moment.replace(second=0, microsecond=0)
    if moment.second * 1_000_000 + moment.microsecond >= 30_000_000:
        rounded += datetime.timedelta(minutes=1)
    return rounded


def lunation_near(date, offset):
    """k (integer plus offset) of the phase nearest to the given calendar date."""
    year_fraction = date[0] + (datetime.date(*date).timetuple().tm_yday - 1) / 365.25
    estimate = (year_fraction - 2000) * 12.3685
    return round(estimate - offset) + offset


def phase_instants(first_date, offset):
    first_k = lunation_near(first_date, offset)
    return [jde_to_utc(phase_jde(first_k + index)) for index in range(EVENTS_PER_TABLE)]


def full_moons():
    return phase_instants(FIRST_FULL_MOON, 0.5)


def new_moons():
    return phase_instants(NEW_MOON_AFTER_FIRST_FULL_MOON, 0.0)


HEADER = """\
// Generated by tools/moon_tables/generate_moon_tables.py; do not edit by hand.
// Full and new moons from the phase series of J. Meeus, "Astronomical
// Algorithms", chapter 49, with Delta T, in UTC rounded to the minute.
// Inputs: the book's 2nd edition (1998); Delta T from the 2005-2050 polynomial
// of Espenak and Meeus; the standard library only, so no version to match.
// Fields: day, month, year, hour, minute.
#include "moon/moon_event_tables.h"

"""


def table_source(name, instants):
    lines = ["const std::array<sMoonEventUTC, kMoonEventsPerTable> %s = {{" % name]
    for moment in instants:
        m = round_to_minute(moment)
        lines.append("    {%d, %d, %d, %d, %d}," % (m.day, m.month, m.year, m.hour, m.minute))
    lines.append("}};")
    return "\n".join(lines) + "\n"


def cpp_source():
    return (HEADER + table_source("fullMoonTimesUTC", full_moons()) + "\n"
            + table_source("newMoonTimesUTC", new_moons()))


def self_test():
    # Meeus example 49.a: the new moon of February 1977 at JDE 2443192.65118.
    if abs(phase_jde(-283) - 2443192.65118) > 0.00001:
        raise SystemExit("generate_moon_tables: the phase series fails the book's example")


def main(arguments):
    self_test()
    if "--list" in arguments:
        for kind, instants in (("full", full_moons()), ("new", new_moons())):
            for moment in instants:
                m = round_to_minute(moment)
                stamp = int((m - datetime.datetime(1970, 1, 1)).total_seconds())
                print("%s %s %d %s" % (kind, m.strftime("%Y-%m-%dT%H:%M"), stamp,
                                       moment.strftime("%H:%M:%S")))
        return 0
    source = cpp_source()
    if "--check" in arguments:
        with open(SOURCE_PATH, encoding="utf-8") as committed:
            if committed.read() != source:
                print("generate_moon_tables: %s differs from the generator's output" % SOURCE_PATH)
                return 1
        print("generate_moon_tables: committed tables match the generator")
        return 0
    if "--write" in arguments:
        with open(SOURCE_PATH, "w", encoding="utf-8", newline="\n") as out:
            out.write(source)
        return 0
    sys.stdout.write(source)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
