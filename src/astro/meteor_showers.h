// The major annual meteor showers: when each is active (by the sun's J2000
// ecliptic longitude, which repeats year after year where calendar dates
// drift), how strong it is on a given night, where its radiant stands, how
// fast its meteors enter, and how many an observer under a given sky sees
// in an hour. The report lists them and the real sky lets them fall.
#pragma once

#include "astro/sky_frame.h"
#include "astro/solar_system.h"

#include <array>
#include <cstddef>

struct sMeteorShower {
    const char* name;  // English; also the translation key's tail
    double beginLambdaDeg;  // activity period, solar longitude J2000
    double endLambdaDeg;
    double peakLambdaDeg;
    double zhrMax;
    // ZHR(l) = zhrMax 10^(-B |l - peak|), before and after the peak.
    double slopeBefore;
    double slopeAfter;
    double radiantRaDeg;  // J2000, at the peak
    double radiantDecDeg;
    double driftRaDeg;  // per degree of solar longitude
    double driftDecDeg;
    double speedKmS;         // V-infinity
    double populationIndex;  // r
};

constexpr std::size_t kMeteorShowerCount = 8;
extern const std::array<sMeteorShower, kMeteorShowerCount> kMeteorShowers;

// The sun's ecliptic longitude referred to the J2000 equinox, 0..360, as the
// meteor calendars count it, from its apparent place of date.
double solarLongitudeJ2000Deg(const sSkyFrame& frame, const sBodyPosition& sun);

// Signed degrees from the shower's peak to a solar longitude, -180..180.
double degreesFromPeak(const sMeteorShower& shower, double lambdaDeg);
bool isShowerActive(const sMeteorShower& shower, double lambdaDeg);
// The zenithal hourly rate at a solar longitude; 0 outside the activity period.
double showerZhr(const sMeteorShower& shower, double lambdaDeg);
// The radiant's J2000 place at a solar longitude, moved by its daily drift.
void showerRadiantJ2000(const sMeteorShower& shower, double lambdaDeg, double& raDeg, double& decDeg);

// The sky's limiting magnitude the ZHR is counted for.
constexpr double kZhrLimitingMagnitude = 6.5;
// What an observer sees in an hour (the IMO's correction undone):
// ZHR sin(radiant altitude) r^(LM - 6.5); none with the radiant below the horizon.
double showerHourlyRate(double zhr, double radiantAltDeg, double limitingMag, double populationIndex);

// One shower at one moment over one place.
struct sShowerSky {
    const sMeteorShower* shower = nullptr;
    double zhr = 0.0;
    double hourlyRate = 0.0;
    // The radiant where it is seen, as a star there would be: of date, and
    // its unit (east, north, up) direction and altitude with the air's lift.
    double raDeg = 0.0;
    double decDeg = 0.0;
    sVec3 radiant;
    double altDeg = 0.0;
    double azDeg = 0.0;
};

// Every shower at that moment; those outside their activity period have zhr 0.
std::array<sShowerSky, kMeteorShowerCount> showerSkyAt(const sSkyFrame& frame, double lambdaDeg, double limitingMag);
