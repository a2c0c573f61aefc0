// Time scales of the sky: the Julian date of a clock moment, the centuries of
// Terrestrial Time since J2000 that every ephemeris series runs on, and the
// sidereal time that turns the sky over a place. Low-precision by intent:
// seconds of time are far below a pixel.
#pragma once

#include <cstdint>

constexpr double kJulianDateOfUnixEpoch = 2440587.5;
constexpr double kJulianDateJ2000 = 2451545.0;
constexpr double kDaysPerJulianCentury = 36525.0;
// TT - UT in seconds for the late 2020s (IERS, 69.2 s in 2024, nearly flat).
constexpr double kDeltaTSeconds = 69.2;

// Julian date (UT) of a moment given as seconds since the Unix epoch.
double julianDateOfUnixSeconds(double unixSeconds);

// The nutation of the moment: the wobble of the Earth's axis that the
// apparent places of every body share.
struct sNutation {
    double longitudeDeg;  // delta psi
    double obliquityDeg;  // delta epsilon
};

struct sAstroTime {
    double julianDateUt = kJulianDateJ2000;
    double centuriesTt = 0.0;  // Julian centuries of TT since J2000
    sNutation nutation{};
    double meanObliquityDeg = 0.0;
    double trueObliquityDeg = 0.0;
    double greenwichApparentSiderealDeg = 0.0;  // 0..360
};

sAstroTime astroTimeOfUnixSeconds(double unixSeconds);

// Greenwich mean sidereal time in degrees (0..360) for a Julian date of UT.
double greenwichMeanSiderealDeg(double julianDateUt);
// Nutation in longitude and obliquity from the four largest terms (0.5").
sNutation nutationOf(double centuriesTt);
double meanObliquityDeg(double centuriesTt);

// Angle helpers shared by the floor.
constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToDeg = 180.0 / kPi;
// For the float arithmetic of drawing.
constexpr float kDegToRadF = static_cast<float>(kDegToRad);
double normalizedDegrees(double degrees);  // 0..360
