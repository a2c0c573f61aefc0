// The sky against an independent ephemeris (PyEphem): three places, four
// instants of 2026-2030, every body of the solar system and ten bright stars.
#include "astro/solar_system.h"
#include "astro/star_positions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

struct EphemerisRow {
    double latitude;
    double longitude;
    double unixSeconds;
    const char* name;
    int star;  // catalogue index, -1 for a body of the solar system
    double alt;
    double az;
    double mag;
    double limbAngle;  // the moon's bright limb, -1 otherwise
};

const EphemerisRow kRows[] = {
#include "ephemeris_table.inc"
};

// The angle on the sky between two altitude/azimuth directions, degrees.
double separationDeg(double alt1, double az1, double alt2, double az2) {
    const double r = 3.14159265358979323846 / 180.0;
    const double c = std::sin(alt1 * r) * std::sin(alt2 * r) + std::cos(alt1 * r) * std::cos(alt2 * r) * std::cos((az1 - az2) * r);
    return std::acos(std::fmin(1.0, c)) / r;
}

bool bodyNamed(const char* name, eSolarBody& body) {
    for (eSolarBody b : kSolarBodies) {
        std::string lower = solarBodyName(b);
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower == name) {
            body = b;
            return true;
        }
    }
    return false;
}

struct Tolerance {
    double degrees;
    double magnitude;  // < 0: not compared
};

Tolerance toleranceFor(eSolarBody body) {
    switch (body) {
        case eSolarBody::sun: return {0.1, -1.0};
        case eSolarBody::moon: return {0.3, -1.0};
        default: return {0.25, 0.3};
    }
}

TEST(Ephemeris, SunMoonAndPlanetsStandWhereAnIndependentEphemerisPutsThem) {
    int compared = 0;
    for (const EphemerisRow& row : kRows) {
        eSolarBody body;
        if (row.star >= 0 || !bodyNamed(row.name, body)) continue;
        SCOPED_TRACE(std::string(row.name) + " at " + std::to_string(row.latitude) + "," +
                     std::to_string(row.longitude) + " t=" + std::to_string(static_cast<long long>(row.unixSeconds)));
        const sSkyFrame frame = makeSkyFrame(row.unixSeconds, {row.latitude, row.longitude});
        const sBodyPosition p = solarBodyPosition(body, frame);
        const Tolerance tolerance = toleranceFor(body);
        EXPECT_LT(separationDeg(p.horizontal.altDeg, p.horizontal.azDeg, row.alt, row.az), tolerance.degrees);
        if (tolerance.magnitude > 0) {
            EXPECT_NEAR(p.mag, row.mag, tolerance.magnitude);
        }
        if (body == eSolarBody::moon) {
            const sMoonLimb limb = moonBrightLimb(p, solarBodyPosition(eSolarBody::sun, frame), frame);
            EXPECT_LT(std::fabs(std::remainder(limb.positionAngleDeg - row.limbAngle, 360.0)), 1.0);
        }
        ++compared;
    }
    EXPECT_EQ(compared, 3 * 4 * 9);
}

TEST(Ephemeris, EveryStarOfTheFrameStandsWhereAnIndependentEphemerisSeesIt) {
    cStarPositions stars;
    int compared = 0;
    for (const EphemerisRow& row : kRows) {
        if (row.star < 0) continue;
        SCOPED_TRACE(std::string(row.name) + " at " + std::to_string(row.latitude) + "," +
                     std::to_string(row.longitude) + " t=" + std::to_string(static_cast<long long>(row.unixSeconds)));
        stars.compute(makeSkyFrame(row.unixSeconds, {row.latitude, row.longitude}));
        const sStarPlace& place = stars.places().at(static_cast<std::size_t>(row.star));
        EXPECT_LT(separationDeg(place.altitudeDeg(), place.azimuthDeg(), row.alt, row.az), 0.1);
        ++compared;
    }
    EXPECT_GT(compared, 90);
}

}  // namespace
