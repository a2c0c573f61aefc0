// One moment seen from one place: the rotations that carry a J2000 catalogue
// direction to the observer's horizon (precession, nutation, the Earth's
// turn), the annual aberration, and the observer's own position for the
// moon's parallax. Built once per frame; turning a direction with it costs
// a matrix product and allocates nothing.
#pragma once

#include "astro/astro_time.h"

struct sVec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

struct sMat3 {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
};

sVec3 operator*(const sMat3& a, const sVec3& v);
sMat3 operator*(const sMat3& a, const sMat3& b);
sVec3 operator+(const sVec3& a, const sVec3& b);
sVec3 operator-(const sVec3& a, const sVec3& b);
sVec3 operator*(double s, const sVec3& v);
double dot(const sVec3& a, const sVec3& b);
double length(const sVec3& v);

// Unit vector of a direction given as longitude-like and latitude-like degrees
// (right ascension and declination, or ecliptic longitude and latitude).
sVec3 unitVectorOf(double lonDeg, double latDeg);
// The inverse: longitude 0..360 and latitude of any non-zero vector.
void anglesOf(const sVec3& v, double& lonDeg, double& latDeg);
// Rotation of ecliptic coordinates into equatorial ones for an obliquity.
sMat3 eclipticToEquatorial(double obliquityDeg);

// Degrees north and east (west negative).
struct sPlace {
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
};

// Altitude above the horizon and azimuth from north through east, degrees.
struct sHorizontal {
    double altDeg = 0.0;
    double azDeg = 0.0;
};

struct sSkyFrame {
    sAstroTime time;
    sPlace place;
    double localSiderealDeg = 0.0;
    sMat3 j2000ToTrueOfDate;       // precession, then nutation
    sMat3 trueOfDateToHorizon;     // to (east, north, up)
    sMat3 j2000ToHorizon;          // both at once
    sVec3 aberrationJ2000;         // the Earth's velocity over c, added to a unit direction
    sVec3 observerTrueOfDateKm;    // the observer, from the Earth's centre
};

sSkyFrame makeSkyFrame(double unixSeconds, const sPlace& place);

// Precession of J2000 directions to the mean equator and equinox of date
// (Meeus, Astronomical Algorithms, 21.2-21.4).
sMat3 precessionFromJ2000(double centuriesTt);

// Altitude and azimuth of an (east, north, up) vector of any length.
sHorizontal horizontalOf(const sVec3& enu);

// How much the air lifts a body at a true altitude, in degrees, for a
// standard atmosphere (Saemundsson's formula; 0.57 deg at the horizon).
// Below -2 deg nothing is seen and nothing is added.
double refractionDeg(double trueAltDeg);
// The same in single precision, for thousands of stars a second.
float refractionDeg(float trueAltDeg);
