// The sky's colour for where the sun stands: nothing at night; at dusk the
// horizon under the sun warmer and brighter than the opposite one; by day
// blue overhead and lighter toward the horizon, brightest round the sun;
// the user's base, the Milky Way and the lines fading as the sky brightens.
#include "world/real_sky_daylight.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using sRgb = cRealSkyDaylight::sRgb;

float sum(const sRgb& c) { return c.r + c.g + c.b; }

// A unit (east, north, up) direction of an altitude and azimuth.
struct sDirection {
    float east, north, up;
};
sDirection towards(float altDeg, float azDeg) {
    const float alt = altDeg * 3.14159265f / 180.0f, az = azDeg * 3.14159265f / 180.0f;
    return {std::cos(alt) * std::sin(az), std::cos(alt) * std::cos(az), std::sin(alt)};
}

sRgb colourAt(const cRealSkyDaylight& sky, float altDeg, float azDeg) {
    const sDirection d = towards(altDeg, azDeg);
    return sky.colourAt(d.east, d.north, d.up);
}

cRealSkyDaylight sunAt(float altDeg, float azDeg) {
    cRealSkyDaylight sky;
    const sDirection d = towards(altDeg, azDeg);
    sky.setSun(altDeg, d.east, d.north, d.up);
    return sky;
}

TEST(RealSkyDaylight, WhatIsLeftOfTheNightFadesAsTheSunRises) {
    const struct {
        float sunAltDeg;
        bool dark;
        float base, glow, lines;
    } cases[] = {
        {-40.0f, true, 1.0f, 1.0f, 1.0f},
        {-18.5f, true, 1.0f, 1.0f, 1.0f},
        {-15.0f, false, 0.9f, 0.5f, 0.9f},   // astronomical twilight: the Milky Way half gone
        {-10.0f, false, 0.62f, 0.0f, 0.57f},  // nautical: the Milky Way gone
        {-0.8f, false, 0.0f, 0.0f, 0.0f},     // sunrise: nothing of the night left
        {62.0f, false, 0.0f, 0.0f, 0.0f},
    };
    for (const auto& c : cases) {
        const cRealSkyDaylight sky = sunAt(c.sunAltDeg, 90.0f);
        EXPECT_EQ(sky.dark(), c.dark) << c.sunAltDeg;
        EXPECT_NEAR(sky.baseShare(), c.base, 0.02f) << c.sunAltDeg;
        EXPECT_NEAR(sky.glowShare(), c.glow, 0.02f) << c.sunAltDeg;
        EXPECT_NEAR(sky.lineShare(), c.lines, 0.02f) << c.sunAltDeg;
    }
    const sRgb night = colourAt(sunAt(-30.0f, 0.0f), 30.0f, 180.0f);
    EXPECT_EQ(sum(night), 0.0f);
}

TEST(RealSkyDaylight, AtDuskTheHorizonUnderTheSunGlowsWarm) {
    // The sun 4 deg below the western horizon: civil twilight.
    const cRealSkyDaylight sky = sunAt(-4.0f, 270.0f);
    const sRgb west = colourAt(sky, 3.0f, 270.0f);
    const sRgb east = colourAt(sky, 3.0f, 90.0f);
    const sRgb zenith = colourAt(sky, 89.0f, 0.0f);
    EXPECT_GT(west.r, west.b) << "the sunset's horizon is warm";
    EXPECT_GT(sum(west), 2.0f * sum(east));
    EXPECT_GT(zenith.b, zenith.r) << "overhead the twilight sky is blue";
    EXPECT_LT(sum(zenith), sum(west));
    // Deeper in the dusk the whole sky is darker.
    const sRgb later = colourAt(sunAt(-10.0f, 270.0f), 3.0f, 270.0f);
    EXPECT_LT(sum(later), sum(west) / 2.0f);
}

TEST(RealSkyDaylight, ByDayTheSkyIsBlueLighterLowAndBrightestRoundTheSun) {
    // Vienna at noon of midsummer: the sun 62 deg high in the south.
    const cRealSkyDaylight sky = sunAt(62.0f, 180.0f);
    const sRgb high = colourAt(sky, 60.0f, 0.0f);
    const sRgb low = colourAt(sky, 5.0f, 0.0f);
    const sRgb nearSun = colourAt(sky, 60.0f, 175.0f);
    EXPECT_GT(high.b, high.g);
    EXPECT_GT(high.g, high.r);
    EXPECT_GT(high.b, 150.0f);
    EXPECT_GT(sum(low), sum(high)) << "the horizon is lighter";
    EXPECT_GT(sum(nearSun), sum(high) + 60.0f) << "the aureole round the sun";
    EXPECT_LE(nearSun.r, 255.0f);
}

}  // namespace
