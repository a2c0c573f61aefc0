// Where the sun, the moon and the planets stand for a sky frame, and how
// bright they are. Low-precision methods by intent, each well inside a pixel
// of a screen-wide sky: the planets from JPL's Keplerian elements for
// 1800-2050 (Standish, "Keplerian Elements for Approximate Positions of the
// Major Planets"), the sun from the Earth's own elements, the moon from the
// largest terms of the ELP-2000/82 series as abridged by Meeus
// (Astronomical Algorithms, ch. 47), magnitudes from the Astronomical
// Almanac's formulas (Meeus ch. 41).
#pragma once

#include "astro/sky_frame.h"

#include <cstddef>

enum class eSolarBody { sun, moon, mercury, venus, mars, jupiter, saturn, uranus, neptune };
constexpr std::size_t kSolarBodyCount = 9;
constexpr eSolarBody kSolarBodies[kSolarBodyCount] = {
    eSolarBody::sun,     eSolarBody::moon,   eSolarBody::mercury, eSolarBody::venus,  eSolarBody::mars,
    eSolarBody::jupiter, eSolarBody::saturn, eSolarBody::uranus,  eSolarBody::neptune};

// "Sun", "Moon", "Mercury", ...
const char* solarBodyName(eSolarBody body);

struct sBodyPosition {
    eSolarBody body = eSolarBody::sun;
    // Apparent place of date (nutation and aberration applied), topocentric
    // for the moon, whose parallax reaches a degree.
    double raDeg = 0.0;
    double decDeg = 0.0;
    // Without refraction; apparentAltDeg adds it.
    sHorizontal horizontal;
    double apparentAltDeg = 0.0;
    sVec3 horizonDirection;  // unit (east, north, up), without refraction
    double mag = 0.0;
    double distanceAu = 0.0;          // from the observer
    double phaseAngleDeg = 0.0;       // sun - body - observer; 0 for the sun
    double illuminatedFraction = 1.0;
};

sBodyPosition solarBodyPosition(eSolarBody body, const sSkyFrame& frame);

// The moon from the Earth's centre, in km, true equator and equinox of date.
sVec3 moonGeocentricKm(const sSkyFrame& frame);
constexpr double kAuKm = 149597870.7;

// The years the planets' elements hold: outside them the planets drift off
// by degrees a century and more.
constexpr int kPlanetElementsFirstYear = 1800;
constexpr int kPlanetElementsLastYear = 2050;
// Whether the planets' elements hold at a moment (Unix seconds, UTC).
bool planetElementsHoldAt(double unixSeconds);

// Which way the moon's lit side faces, toward the sun.
struct sMoonLimb {
    // Position angle of the bright limb's midpoint, from celestial north
    // through east (Meeus 48.5).
    double positionAngleDeg = 0.0;
    // The same measured from the direction of the zenith, counterclockwise as
    // seen by the observer: 0 lit on top, 90 lit on the left, 270 on the right.
    // moonOnView (moon_on_view.h) turns it to the view's up at the moon.
    double fromZenithDeg = 0.0;
};

sMoonLimb moonBrightLimb(const sBodyPosition& moon, const sBodyPosition& sun, const sSkyFrame& frame);
