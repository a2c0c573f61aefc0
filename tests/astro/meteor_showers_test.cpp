// A shower's strength by solar longitude and the rate an observer sees: a
// wrong slope, a missed wrap through 360 or a sign slip in the magnitude
// correction would put falling stars on the wrong nights in the wrong numbers.
#include "astro/meteor_showers.h"
#include "astro/sky_snapshot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

const sMeteorShower& showerNamed(const std::string& name) {
    for (const sMeteorShower& shower : kMeteorShowers) {
        if (name == shower.name) return shower;
    }
    ADD_FAILURE() << name;
    return kMeteorShowers[0];
}

TEST(MeteorShowers, ZhrFollowsTheActivityProfile) {
    // A made-up shower whose period runs through 360, as one active over the equinox would.
    const sMeteorShower wrapping{"Wrapping", 350.0, 10.0, 359.5, 40.0, 0.2, 0.5, 0.0, 0.0, 0.0, 0.0, 40.0, 2.5};
    struct Case {
        const sMeteorShower* shower;
        double lambda;
        double zhr;
    };
    const Case cases[] = {
        {&showerNamed("Perseids"), 140.0, 100.0},
        {&showerNamed("Perseids"), 135.0, 100.0 * std::pow(10.0, -0.5)},  // rising slowly
        {&showerNamed("Perseids"), 142.0, 100.0 * std::pow(10.0, -0.4)},  // falling faster
        {&showerNamed("Perseids"), 160.0, 0.0},                            // after the period
        {&showerNamed("Geminids"), 262.2, 150.0},
        {&showerNamed("Geminids"), 261.2, 150.0 * std::pow(10.0, -0.39)},
        {&showerNamed("Geminids"), 263.2, 150.0 * std::pow(10.0, -0.81)},
        {&showerNamed("Geminids"), 250.0, 0.0},
        {&showerNamed("Quadrantids"), 283.15, 80.0},
        {&showerNamed("Lyrids"), 100.0, 0.0},
        {&wrapping, 359.5, 40.0},
        {&wrapping, 0.5, 40.0 * std::pow(10.0, -0.5)},    // after the peak, across 0
        {&wrapping, 354.5, 40.0 * std::pow(10.0, -1.0)},  // before it
        {&wrapping, 9.0, 40.0 * std::pow(10.0, -4.75)},
        {&wrapping, 11.0, 0.0},
        {&wrapping, 349.0, 0.0},
        {&wrapping, 180.0, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(showerZhr(*c.shower, c.lambda), c.zhr, 1e-6 * (1.0 + c.zhr)) << c.shower->name << " at " << c.lambda;
    }
}

TEST(MeteorShowers, HourlyRateIsTheZhrUnderTheSkyOfTheMoment) {
    struct Case {
        double zhr, altDeg, limitingMag, r;
        double rate;
    };
    const Case cases[] = {
        {100.0, 90.0, 6.5, 2.2, 100.0},
        {100.0, 30.0, 6.5, 2.2, 50.0},
        {100.0, 30.0, 5.5, 2.0, 25.0},   // a magnitude brighter sky halves it for r = 2
        {150.0, 90.0, 7.5, 2.6, 390.0},  // a darker sky than the standard shows more
        {100.0, -5.0, 6.5, 2.2, 0.0},
        {100.0, 45.0, -3.0, 2.2, 100.0 * std::sin(3.14159265358979 / 4) * std::pow(2.2, -9.5)},
        {0.0, 60.0, 6.5, 2.2, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(showerHourlyRate(c.zhr, c.altDeg, c.limitingMag, c.r), c.rate, 1e-9 + 1e-9 * c.rate)
            << c.zhr << " " << c.altDeg << " " << c.limitingMag;
    }
}

TEST(MeteorShowers, SolarLongitudeOfThePeakNightsIsPyEphems) {
    struct Case {
        const char* shower;
        double unixSeconds;
        double lambda;  // PyEphem's J2000 solar longitude
    };
    const Case cases[] = {{"Geminids", 1797210000.0, 261.662}, {"Perseids", 1786581000.0, 139.940}};
    for (const Case& c : cases) {
        const sSkySnapshot sky = skySnapshotAt(c.unixSeconds, sPlace{48.21, 16.37});
        const double lambda = solarLongitudeJ2000Deg(sky.frame, sky.sun());
        EXPECT_NEAR(lambda, c.lambda, 0.01) << c.shower;
    }
}

}  // namespace
