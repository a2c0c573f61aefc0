// The moon's place on the view and the way its lit side faces there, against
// PyEphem 4.1: at the moon's transit it stands on the view's middle column,
// where the view's up is the zenith's, so the bright limb's angle is the
// position angle of the bright limb less the parallactic angle (Meeus 48.5,
// with PyEphem's apparent places of sun and moon and its parallactic_angle()).
#include "astro/moon_on_view.h"
#include "astro/sky_snapshot.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(MoonOnView, AtTransitTheLitSideFacesWhereAnIndependentEphemerisTurnsIt) {
    const struct {
        const char* what;
        double unixSeconds;
        sPlace place;
        double ephemerisLimbDeg;  // counterclockwise from up: 90 lit on the left, 270 on the right
    } cases[] = {
        {"Vienna, waxing gibbous", 1800480514.0, {48.21, 16.37}, 280.95},
        {"Vienna, waning gibbous", 1801018586.0, {48.21, 16.37}, 115.81},
        {"Vienna, first quarter", 1794935232.0, {48.21, 16.37}, 249.84},
        {"Sydney, waxing gibbous", 1800176213.0, {-33.87, 151.21}, 74.81},
        {"Sydney, waning gibbous", 1796156482.0, {-33.87, 151.21}, 292.65},
    };
    for (const auto& c : cases) {
        const sSkyProjection view = makeSkyProjection(1920, 1080, c.place.latitudeDeg);
        const sMoonOnView moon = moonOnView(view, skySnapshotAt(c.unixSeconds, c.place));
        ASSERT_TRUE(moon.onView) << c.what;
        EXPECT_NEAR(moon.x, 960.0f, 3.0f) << c.what;
        EXPECT_LT(std::fabs(std::remainder(moon.brightLimbDeg - c.ephemerisLimbDeg, 360.0)), 1.5) << c.what;
    }
}

// Off the middle column up leans toward the view's edge. A waxing crescent
// over Sydney 33 deg west of north, 2026-03-24 09:00 UTC, after sunset: the sun
// is below the western horizon, on the left of a view facing north, and the
// lit side faces down and left.
TEST(MoonOnView, OffTheMiddleTheEveningCrescentIsLitTowardTheSetSun) {
    const sPlace sydney{-33.9, 151.2};
    const sMoonOnView moon = moonOnView(makeSkyProjection(1920, 1080, sydney.latitudeDeg), skySnapshotAt(1774342800.0, sydney));
    ASSERT_TRUE(moon.onView);
    EXPECT_LT(moon.x, 760.0f);
    EXPECT_GT(moon.brightLimbDeg, 90.0f);
    EXPECT_LT(moon.brightLimbDeg, 180.0f);
}

}  // namespace
