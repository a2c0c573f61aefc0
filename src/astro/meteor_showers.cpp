#include "astro/meteor_showers.h"

#include "astro/star_positions.h"

#include <cmath>

namespace {
// The mean obliquity of the ecliptic at J2000.
constexpr double kObliquityJ2000Deg = 23.4392911;

sMat3 transposed(const sMat3& a) {
    sMat3 t;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) t.m[i][j] = a.m[j][i];
    }
    return t;
}

double wrapped180(double deg) {
    double d = std::fmod(deg, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d <= -180.0) d += 360.0;
    return d;
}

double wrapped360(double deg) {
    const double d = std::fmod(deg, 360.0);
    return d < 0.0 ? d + 360.0 : d;
}
}  // namespace

// The IMO Meteor Shower Calendar's working list of visual meteor showers
// (activity period, peak solar longitude, radiant at the peak and its daily
// drift, V-infinity, population index r, ZHR). The periods' calendar dates
// are turned into solar longitudes at 0h UT of the first day and 24h UT of
// the last. The slopes of the activity profile follow Jenniskens (1994,
// "Meteor stream activity I. The annual streams", A&A 287, 990) with the
// IMO's peak widths (full width at half maximum = 0.602 / B): steeper
// after the peak for the Perseids and Geminids, alike on both sides where
// one width is all that is known.
const std::array<sMeteorShower, kMeteorShowerCount> kMeteorShowers = {{
    // name           begin  end    peak    ZHR    B before, after  RA     Dec   dRA  dDec   V   r
    {"Quadrantids", 276.1, 292.4, 283.15, 80.0, 1.8, 1.8, 230.0, 49.0, 0.8, -0.2, 41.0, 2.1},     // Dec 28 - Jan 12
    {"Lyrids", 23.7, 40.3, 32.32, 18.0, 0.4, 0.4, 271.0, 34.0, 1.1, 0.0, 49.0, 2.1},              // Apr 14 - 30
    {"Eta Aquariids", 28.6, 67.3, 45.5, 50.0, 0.08, 0.08, 338.0, -1.0, 0.9, 0.4, 66.0, 2.4},      // Apr 19 - May 28
    {"Perseids", 114.1, 151.5, 140.0, 100.0, 0.10, 0.20, 48.0, 58.0, 1.3, 0.2, 59.0, 2.2},        // Jul 17 - Aug 24
    {"Orionids", 188.5, 225.2, 208.0, 20.0, 0.12, 0.12, 95.0, 16.0, 0.7, 0.1, 66.0, 2.5},         // Oct 2 - Nov 7
    {"Leonids", 223.2, 248.4, 235.27, 15.0, 0.4, 0.4, 152.0, 22.0, 0.7, -0.4, 71.0, 2.5},         // Nov 6 - 30
    {"Geminids", 251.5, 268.7, 262.2, 150.0, 0.39, 0.81, 112.0, 33.0, 1.0, -0.1, 35.0, 2.6},      // Dec 4 - 20
    {"Ursids", 264.7, 274.9, 270.7, 10.0, 0.9, 0.9, 217.0, 76.0, 0.0, 0.0, 33.0, 3.0},            // Dec 17 - 26
}};

double solarLongitudeJ2000Deg(const sSkyFrame& frame, const sBodyPosition& sun) {
    const sVec3 ofDate = unitVectorOf(sun.raDeg, sun.decDeg);
    const sVec3 j2000 = transposed(frame.j2000ToTrueOfDate) * ofDate;
    const sVec3 ecliptic = transposed(eclipticToEquatorial(kObliquityJ2000Deg)) * j2000;
    double lon = 0.0, lat = 0.0;
    anglesOf(ecliptic, lon, lat);
    return lon;
}

double degreesFromPeak(const sMeteorShower& shower, double lambdaDeg) {
    return wrapped180(lambdaDeg - shower.peakLambdaDeg);
}

bool isShowerActive(const sMeteorShower& shower, double lambdaDeg) {
    // Measured from the beginning, so a period that runs through 360 needs no special case.
    const double length = wrapped360(shower.endLambdaDeg - shower.beginLambdaDeg);
    return wrapped360(lambdaDeg - shower.beginLambdaDeg) <= length;
}

double showerZhr(const sMeteorShower& shower, double lambdaDeg) {
    if (!isShowerActive(shower, lambdaDeg)) return 0.0;
    const double from = degreesFromPeak(shower, lambdaDeg);
    const double slope = from < 0.0 ? shower.slopeBefore : shower.slopeAfter;
    return shower.zhrMax * std::pow(10.0, -slope * std::fabs(from));
}

void showerRadiantJ2000(const sMeteorShower& shower, double lambdaDeg, double& raDeg, double& decDeg) {
    const double from = degreesFromPeak(shower, lambdaDeg);
    raDeg = wrapped360(shower.radiantRaDeg + shower.driftRaDeg * from);
    decDeg = shower.radiantDecDeg + shower.driftDecDeg * from;
}

double showerHourlyRate(double zhr, double radiantAltDeg, double limitingMag, double populationIndex) {
    if (zhr <= 0.0 || radiantAltDeg <= 0.0) return 0.0;
    constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
    return zhr * std::sin(radiantAltDeg * kDegToRad) * std::pow(populationIndex, limitingMag - kZhrLimitingMagnitude);
}

std::array<sShowerSky, kMeteorShowerCount> showerSkyAt(const sSkyFrame& frame, double lambdaDeg, double limitingMag) {
    std::array<sShowerSky, kMeteorShowerCount> showers{};
    for (std::size_t i = 0; i < kMeteorShowerCount; ++i) {
        const sMeteorShower& shower = kMeteorShowers[i];
        sShowerSky& sky = showers[i];
        sky.shower = &shower;
        sky.zhr = showerZhr(shower, lambdaDeg);
        double ra = 0.0, dec = 0.0;
        showerRadiantJ2000(shower, lambdaDeg, ra, dec);
        anglesOf(frame.j2000ToTrueOfDate * (unitVectorOf(ra, dec) + frame.aberrationJ2000), sky.raDeg, sky.decDeg);
        const sStarPlace seen = apparentPlaceOf(frame, ra, dec);
        sky.radiant = {seen.east, seen.north, seen.up};
        sky.altDeg = seen.altitudeDeg();
        sky.azDeg = seen.azimuthDeg();
        sky.hourlyRate = showerHourlyRate(sky.zhr, sky.altDeg, limitingMag, shower.populationIndex);
    }
    return showers;
}
