#include "astro/lunar_eclipse.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kEarthEquatorialRadiusKm = 6378.14;
constexpr double kSunRadiusKm = 696000.0;
constexpr double kMoonRadiusKm = 1737.4;
// The earth's mean radius toward the moon, as a share of the equatorial one.
constexpr double kEarthFlattening = 0.998340;
// The air makes the shadow about 2 % wider than the solid earth's.
constexpr double kShadowEnlargement = 1.02;
// Light bent into the umbra, in magnitudes below full moonlight: at its edge and
// more at its centre; a dark total eclipse leaves the moon near magnitude 0.
constexpr double kUmbraEdgeDimming = 10.0;
constexpr double kUmbraCentreDimmingMore = 3.0;
// Points of the disc averaged for its light: a square grid clipped to the disc.
constexpr int kDiscSamples = 15;

double asinRatio(double a, double b) { return std::asin(std::min(1.0, a / b)); }

// The share of the sun's disc left beyond a straight edge of the earth that
// crosses it at t (-1: all hidden, 1: none), in the disc's radii.
double visibleShareOfSun(double t) {
    t = std::clamp(t, -1.0, 1.0);
    return 0.5 + (t * std::sqrt(1.0 - t * t) + std::asin(t)) / kPi;
}

double discLight(const sLunarEclipse& eclipse) {
    double sum = 0.0;
    int count = 0;
    for (int i = 0; i < kDiscSamples; ++i) {
        const double x = -1.0 + (2.0 * i + 1.0) / kDiscSamples;
        for (int j = 0; j < kDiscSamples; ++j) {
            const double y = -1.0 + (2.0 * j + 1.0) / kDiscSamples;
            if (x * x + y * y > 1.0) continue;
            sum += shadowLightAt(eclipse, std::hypot(eclipse.shadowDistance - x, y));
            ++count;
        }
    }
    return sum / count;
}

}  // namespace

const char* eclipseStateName(eEclipseState state) {
    switch (state) {
        case eEclipseState::none: return "none";
        case eEclipseState::penumbral: return "penumbral";
        case eEclipseState::partial: return "partial";
        case eEclipseState::total: return "total";
    }
    return "none";
}

double eclipseMagnitudeOf(const sLunarEclipse& eclipse) {
    return eclipse.umbralMagnitude > 0.0 ? eclipse.umbralMagnitude : eclipse.penumbralMagnitude;
}

sLunarEclipse lunarEclipseAt(const sSkyFrame& frame, const sBodyPosition& sun) {
    const sVec3 moon = moonGeocentricKm(frame);
    const double moonKm = length(moon);
    const double sunKm = sun.distanceAu * kAuKm;
    const double moonParallax = asinRatio(kEarthEquatorialRadiusKm, moonKm);
    const double sunParallax = asinRatio(kEarthEquatorialRadiusKm, sunKm);
    const double sunRadius = asinRatio(kSunRadiusKm, sunKm);
    const double moonRadius = asinRatio(kMoonRadiusKm, moonKm);
    const double earth = kEarthFlattening * moonParallax + sunParallax;
    const sVec3 antiSun = -1.0 * unitVectorOf(sun.raDeg, sun.decDeg);
    const double apart = std::acos(std::clamp(dot(antiSun, (1.0 / moonKm) * moon), -1.0, 1.0));

    sLunarEclipse e;
    e.shadowDistance = apart / moonRadius;
    e.umbraRadius = kShadowEnlargement * (earth - sunRadius) / moonRadius;
    e.penumbraRadius = kShadowEnlargement * (earth + sunRadius) / moonRadius;
    e.umbralMagnitude = (e.umbraRadius + 1.0 - e.shadowDistance) / 2.0;
    e.penumbralMagnitude = (e.penumbraRadius + 1.0 - e.shadowDistance) / 2.0;
    if (e.umbralMagnitude >= 1.0) {
        e.state = eEclipseState::total;
    } else if (e.umbralMagnitude > 0.0) {
        e.state = eEclipseState::partial;
    } else if (e.penumbralMagnitude > 0.0) {
        e.state = eEclipseState::penumbral;
    }
    if (e.state != eEclipseState::none) e.dimmingMag = -2.5 * std::log10(discLight(e));
    return e;
}

double shadowLightAt(const sLunarEclipse& eclipse, double distance) {
    if (distance >= eclipse.penumbraRadius) return 1.0;
    if (distance >= eclipse.umbraRadius) {
        const double across = (distance - eclipse.umbraRadius) / (eclipse.penumbraRadius - eclipse.umbraRadius);
        // Near the umbra the air's light outshines the last sliver of sun.
        return std::max(visibleShareOfSun(2.0 * across - 1.0), std::pow(10.0, -0.4 * kUmbraEdgeDimming));
    }
    const double depth = eclipse.umbraRadius > 0.0 ? 1.0 - distance / eclipse.umbraRadius : 1.0;
    return std::pow(10.0, -0.4 * (kUmbraEdgeDimming + kUmbraCentreDimmingMore * depth));
}
