// The built-in sky: the catalogue as generated and where the view puts the
// horizon.
#include "astro/sky_projection.h"
#include "astro/solar_system.h"
#include "astro/star_catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

TEST(StarCatalogue, HoldsEveryStarToMagnitudeSixBrightestFirstWithFiguresAndTheMilkyWay) {
    const sStarCatalogue& c = builtInStarCatalogue();
    EXPECT_EQ(c.starCount, 5044u);
    EXPECT_STREQ(c.nameOf(0), "Sirius");
    EXPECT_NEAR(c.stars[0].raDeg, 101.287, 0.01);
    EXPECT_NEAR(c.stars[0].decDeg, -16.716, 0.01);
    EXPECT_NEAR(c.stars[0].bv, 0.009, 0.01);
    for (std::size_t i = 1; i < c.starCount; ++i) {
        ASSERT_LE(c.stars[i - 1].mag, c.stars[i].mag) << i;
        ASSERT_LE(c.stars[i].mag, 6.0f) << i;
        ASSERT_TRUE(c.stars[i].bv > -0.5f && c.stars[i].bv < 3.5f) << i;
    }
    // The stars a report lists, from Sirius to Polaris (1.97).
    EXPECT_EQ(c.countBrighterThan(2.0f), 49u);
    EXPECT_EQ(c.segmentCount, 741u);
    for (std::size_t i = 0; i < c.segmentCount; ++i) {
        ASSERT_LT(c.segments[i].from, c.starCount);
        ASSERT_LT(c.segments[i].to, c.starCount);
    }
    EXPECT_EQ(c.milkyWayRingCount, 174u);
    int levels[6] = {};
    for (std::size_t i = 0; i < c.milkyWayRingCount; ++i) ++levels[c.milkyWayRings[i].level];
    for (int level = 1; level <= 5; ++level) EXPECT_GT(levels[level], 0) << level;
}

struct ViewCase {
    double latitude;
    double alt;
    double az;
    float x;
    float y;
};

TEST(SkyProjection, FacesTheEquatorWithTheHorizonAtTheBottomAndSeventyDegreesAtTheTop) {
    // 1920x1080: the stereographic scale puts 2 tan(35 deg) at 1080 pixels.
    const ViewCase cases[] = {
        {52.5, 0.0, 180.0, 960.0f, 1080.0f},   // due south on the horizon: bottom middle
        {52.5, 70.0, 180.0, 960.0f, 0.0f},     // 70 deg up: top middle
        {52.5, 0.0, 120.0, 69.5f, 1080.0f},    // 60 deg east: left, still on the bottom edge
        {52.5, 0.0, 240.0, 1850.5f, 1080.0f},  // 60 deg west: right
        {-33.9, 0.0, 0.0, 960.0f, 1080.0f},    // the southern hemisphere faces north
        {-33.9, 0.0, 300.0, 69.5f, 1080.0f},   // and has west on its left
        {-33.9, 70.0, 0.0, 960.0f, 0.0f},
    };
    for (const ViewCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.latitude) + " " + std::to_string(c.alt) + "/" + std::to_string(c.az));
        const sSkyProjection view = makeSkyProjection(1920, 1080, c.latitude);
        float x = 0, y = 0;
        ASSERT_TRUE(projectAltAz(view, c.alt, c.az, x, y));
        EXPECT_NEAR(x, c.x, 0.5f);
        EXPECT_NEAR(y, c.y, 0.5f);
    }
}

TEST(SkyProjection, AWiderViewSpansMoreOfTheHorizonAtTheSameScale) {
    // Bottom corners of 16:9 lie 63.8 deg either side of south; of 32:9, 102.4 deg.
    for (const auto& [width, halfField] : {std::pair<int, double>{1920, 63.8}, {3840, 102.4}}) {
        const sSkyProjection view = makeSkyProjection(width, 1080, 40.0);
        float x = 0, y = 0;
        ASSERT_TRUE(projectAltAz(view, 0.0, 180.0 + halfField, x, y));
        EXPECT_NEAR(x, width, 2.0f);
        EXPECT_NEAR(y, 1080.0f, 0.5f);
        EXPECT_TRUE(projectAltAz(view, 30.0, 180.0, x, y));
        EXPECT_TRUE(isOnView(view, x, y));
        EXPECT_NEAR(x, width / 2.0f, 0.5f);
    }
}

}  // namespace
