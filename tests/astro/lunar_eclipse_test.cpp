// The earth's shadow on the moon against the published eclipses: found by
// the geometry alone, at the moment the moon passes nearest the shadow's
// centre, each has the umbral magnitude of NASA's Five Millennium Canon
// (Espenak and Meeus) within 0.03 and the right kind; a full moon that
// passes well north or south of the shadow is not dimmed at all.
#include "astro/lunar_eclipse.h"
#include "astro/sky_snapshot.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kMinute = 60.0;

// The snapshot whose moon stands nearest the shadow's centre, a minute at a time around a moment.
sSkySnapshot nearestToTheShadow(double around, double hoursEitherSide) {
    const sPlace greenwich{51.48, 0.0};
    sSkySnapshot best = skySnapshotAt(around, greenwich);
    const int steps = static_cast<int>(hoursEitherSide * 60.0);
    for (int i = -steps; i <= steps; ++i) {
        const sSkySnapshot sky = skySnapshotAt(around + i * kMinute, greenwich);
        if (sky.eclipse.shadowDistance < best.eclipse.shadowDistance) best = sky;
    }
    return best;
}

TEST(LunarEclipse, TheGreatestEclipsesHaveTheirPublishedMagnitudeAndKind) {
    const struct {
        const char* what;
        double nearUnixSeconds;
        double greatestUnixSeconds;  // greatest eclipse, UT
        double umbralMagnitude;
        eEclipseState state;
    } cases[] = {
        {"2026-03-03 total", 1772535600.0, 1772537610.0, 1.151, eEclipseState::total},
        {"2026-08-28 partial", 1787889600.0, 1787890380.0, 0.930, eEclipseState::partial},
        {"2028-12-31 total", 1861890000.0, 1861894320.0, 1.246, eEclipseState::total},
        {"2029-06-26 total", 1877137800.0, 1877138520.0, 1.844, eEclipseState::total},
    };
    for (const auto& c : cases) {
        const sSkySnapshot sky = nearestToTheShadow(c.nearUnixSeconds, 3.0);
        EXPECT_NEAR(sky.eclipse.umbralMagnitude, c.umbralMagnitude, 0.03) << c.what;
        EXPECT_EQ(sky.eclipse.state, c.state) << c.what;
        const double greatest = (sky.frame.time.julianDateUt - kJulianDateOfUnixEpoch) * 86400.0;
        EXPECT_NEAR(greatest, c.greatestUnixSeconds, 5 * kMinute) << c.what;
        // Deep in the umbra the moon loses ten magnitudes and more; a partial eclipse less.
        EXPECT_GT(sky.eclipse.dimmingMag, c.state == eEclipseState::total ? 9.0 : 0.5) << c.what;
        EXPECT_NEAR(sky.moon().mag, -12.7 + sky.eclipse.dimmingMag, 0.3) << c.what;
    }
}

TEST(LunarEclipse, AFullMoonAwayFromTheNodesIsNotDimmed) {
    // 2026-05-31 08:45 UT, the blue moon, five degrees south of the shadow.
    const sSkySnapshot sky = nearestToTheShadow(1780217100.0, 6.0);
    EXPECT_EQ(sky.eclipse.state, eEclipseState::none);
    EXPECT_EQ(sky.eclipse.dimmingMag, 0.0);
    EXPECT_LT(sky.eclipse.penumbralMagnitude, 0.0);
    EXPECT_GT(sky.eclipse.shadowDistance, 5.0);
}

TEST(LunarEclipse, LightFallsFromFullOutsideThePenumbraToAlmostNoneAtTheUmbrasCentre) {
    sLunarEclipse e;
    e.umbraRadius = 2.6;
    e.penumbraRadius = 4.6;
    const struct {
        double distance;
        double least, most;
    } cases[] = {
        {5.0, 1.0, 1.0},      // outside
        {4.6, 1.0, 1.0},      // the penumbra's edge
        {3.6, 0.49, 0.51},    // halfway across: half the sun's disc
        {2.7, 0.001, 0.05},   // a sliver of sun left
        {2.5, 5e-5, 1.1e-4},  // just inside the umbra: the air's light
        {0.0, 3e-6, 1e-5},    // the centre: darkest
    };
    double before = 2.0;
    for (const auto& c : cases) {
        const double light = shadowLightAt(e, c.distance);
        EXPECT_GE(light, c.least) << c.distance;
        EXPECT_LE(light, c.most) << c.distance;
        EXPECT_LE(light, before) << "light grows deeper in the shadow at " << c.distance;
        before = light;
    }
}

}  // namespace
