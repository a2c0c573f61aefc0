// How light the sky is for the sun's altitude: the phase changes at the
// usual limits, and the faintest star seen brightens steadily from night to
// day, leaving Venus and Jupiter at sunset and only Venus by day.
#include "astro/sky_light.h"

#include <gtest/gtest.h>

namespace {

TEST(SkyLight, ThePhaseChangesAtTheSunsUsualAltitudes) {
    const struct {
        double sunAltDeg;
        eSkyPhase phase;
        const char* name;
    } cases[] = {
        {-50.0, eSkyPhase::night, "night"},
        {-18.01, eSkyPhase::night, "night"},
        {-18.0, eSkyPhase::astronomicalTwilight, "astronomical twilight"},
        {-12.5, eSkyPhase::astronomicalTwilight, "astronomical twilight"},
        {-12.0, eSkyPhase::nauticalTwilight, "nautical twilight"},
        {-6.0, eSkyPhase::civilTwilight, "civil twilight"},
        {-0.81, eSkyPhase::civilTwilight, "civil twilight"},
        {-0.8, eSkyPhase::day, "day"},
        {62.0, eSkyPhase::day, "day"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(skyPhaseOf(c.sunAltDeg), c.phase) << c.sunAltDeg;
        EXPECT_STREQ(skyPhaseName(skyPhaseOf(c.sunAltDeg)), c.name) << c.sunAltDeg;
    }
}

TEST(SkyLight, TheFaintestStarSeenBrightensFromNightToDay) {
    const struct {
        double sunAltDeg;
        double least, most;
    } cases[] = {
        {-40.0, 6.5, 6.5},   // a dark night: the naked eye's limit
        {-18.0, 6.5, 6.5},
        {-12.0, 4.0, 5.0},   // the end of nautical twilight
        {-6.0, 1.0, 2.0},    // civil twilight: the first-magnitude stars
        {-0.8, -2.0, -1.0},  // sunset: Sirius gone, Venus and Jupiter left
        {62.0, -4.0, -3.3},  // day: Venus alone
    };
    double before = 7.0;
    for (const auto& c : cases) {
        const double limit = limitingMagnitude(c.sunAltDeg);
        EXPECT_GE(limit, c.least) << c.sunAltDeg;
        EXPECT_LE(limit, c.most) << c.sunAltDeg;
        EXPECT_LE(limit, before) << c.sunAltDeg;
        before = limit;
    }
    // Steady: no step of a tenth of a degree jumps more than a tenth of a magnitude.
    for (double alt = -20.0; alt < 30.0; alt += 0.1) {
        EXPECT_LT(limitingMagnitude(alt) - limitingMagnitude(alt + 0.1), 0.1) << alt;
    }
}

}  // namespace
