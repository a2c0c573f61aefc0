#include "astro/astro_time.h"

#include <cmath>

double normalizedDegrees(double degrees) {
    const double r = std::fmod(degrees, 360.0);
    return r < 0.0 ? r + 360.0 : r;
}

double julianDateOfUnixSeconds(double unixSeconds) { return unixSeconds / 86400.0 + kJulianDateOfUnixEpoch; }

double greenwichMeanSiderealDeg(double julianDateUt) {
    // IAU 1982, as in Meeus, Astronomical Algorithms, (12.4).
    const double d = julianDateUt - kJulianDateJ2000;
    const double t = d / kDaysPerJulianCentury;
    return normalizedDegrees(280.46061837 + 360.98564736629 * d + 0.000387933 * t * t - t * t * t / 38710000.0);
}

sNutation nutationOf(double t) {
    // Meeus (22.A, abridged): accurate to half an arcsecond.
    const double omega = (125.04452 - 1934.136261 * t) * kDegToRad;
    const double sunL = (280.4665 + 36000.7698 * t) * kDegToRad;
    const double moonL = (218.3165 + 481267.8813 * t) * kDegToRad;
    const double psi = -17.20 * std::sin(omega) - 1.32 * std::sin(2 * sunL) - 0.23 * std::sin(2 * moonL) +
                       0.21 * std::sin(2 * omega);
    const double eps = 9.20 * std::cos(omega) + 0.57 * std::cos(2 * sunL) + 0.10 * std::cos(2 * moonL) -
                       0.09 * std::cos(2 * omega);
    return {psi / 3600.0, eps / 3600.0};
}

double meanObliquityDeg(double t) {
    return 23.439291111 - (46.8150 * t + 0.00059 * t * t - 0.001813 * t * t * t) / 3600.0;
}

sAstroTime astroTimeOfUnixSeconds(double unixSeconds) {
    sAstroTime out;
    out.julianDateUt = julianDateOfUnixSeconds(unixSeconds);
    out.centuriesTt = (out.julianDateUt + kDeltaTSeconds / 86400.0 - kJulianDateJ2000) / kDaysPerJulianCentury;
    out.nutation = nutationOf(out.centuriesTt);
    out.meanObliquityDeg = meanObliquityDeg(out.centuriesTt);
    out.trueObliquityDeg = out.meanObliquityDeg + out.nutation.obliquityDeg;
    const double equationOfEquinoxes = out.nutation.longitudeDeg * std::cos(out.trueObliquityDeg * kDegToRad);
    out.greenwichApparentSiderealDeg =
        normalizedDegrees(greenwichMeanSiderealDeg(out.julianDateUt) + equationOfEquinoxes);
    return out;
}
