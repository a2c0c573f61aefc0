// The real sky's paths as geometry: placed along a minute, dimmed and made
// restless by the air, and only for the stars on or near the view.
#include "world/real_sky_paths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;

sRealSkyPath pathOf(float x0, float y0, float up0, float dx, float dy, float dup, float magnitude = 2.0f) {
    sRealSkyPath path{};
    path.magnitude = magnitude;
    path.x0 = x0;
    path.y0 = y0;
    path.up0 = up0;
    path.dx = dx;
    path.dy = dy;
    path.dup = dup;
    return path;
}

TEST(RealSkyPaths, APathPlacesItsPointAShareOfTheWayAlong) {
    const sSkyProjection view = makeSkyProjection(kWidth, kHeight, 52.5);
    const struct {
        const char* what;
        sRealSkyPath path;
        float along;
        bool placed;
        int x, y;
    } cases[] = {
        {"at the start", pathOf(100.0f, 50.0f, 0.5f, 10.0f, -4.0f, 0.1f), 0.0f, true, 100, 50},
        {"half way", pathOf(100.0f, 50.0f, 0.5f, 10.0f, -4.0f, 0.1f), 0.5f, true, 105, 48},
        {"at the end", pathOf(100.0f, 50.0f, 0.5f, 10.0f, -4.0f, 0.1f), 1.0f, true, 110, 46},
        {"rounded to the nearest pixel", pathOf(100.2f, 50.6f, 0.5f, 1.0f, 1.0f, 0.0f), 0.25f, true, 100, 51},
        {"setting: still up half way", pathOf(300.0f, 355.0f, 0.004f, 2.0f, 1.0f, -0.006f), 0.5f, true, 301, 356},
        {"setting: below the horizon at the end", pathOf(300.0f, 355.0f, 0.004f, 2.0f, 1.0f, -0.006f), 1.0f, false, 0, 0},
        {"rising: below the horizon at the start", pathOf(300.0f, 361.0f, -0.001f, 0.0f, -3.0f, 0.004f), 0.0f, false, 0, 0},
        {"leaving the view at the right", pathOf(638.0f, 100.0f, 0.5f, 4.0f, 0.0f, 0.0f), 1.0f, false, 0, 0},
        {"entering it from the top", pathOf(200.0f, -1.0f, 0.9f, 0.0f, 4.0f, 0.0f), 0.5f, true, 200, 1},
        {"turned away from the view", pathOf(200.0f, 100.0f, -1.0f, 0.0f, 0.0f, -1.0f), 0.5f, false, 0, 0},
    };
    for (const auto& c : cases) {
        sRealSkyPoint point{};
        float airmass = 0.0f;
        ASSERT_EQ(placeAlong(view, c.path, c.along, point, airmass), c.placed) << c.what;
        if (!c.placed) continue;
        EXPECT_EQ(point.x, c.x) << c.what;
        EXPECT_EQ(point.y, c.y) << c.what;
        const float up = c.path.up0 + c.along * c.path.dup;
        EXPECT_FLOAT_EQ(airmass, realSkyAirmassAt(up)) << c.what;
        // Dimmed by the air above one airmass.
        EXPECT_FLOAT_EQ(point.level, cRealSkyPalette::levelOf(c.path.magnitude + 0.2f * (airmass - 1.0f))) << c.what;
    }
}

TEST(RealSkyPaths, TheAirmassIsOneOverheadAndCappedAtTheHorizon) {
    const struct {
        float sinAlt, airmass;
    } cases[] = {{1.0f, 1.0f}, {0.5f, 2.0f}, {0.25f, 4.0f}, {0.1f, 10.0f}, {0.05f, 12.0f}, {0.0f, 12.0f}, {-0.5f, 12.0f}};
    for (const auto& c : cases) EXPECT_FLOAT_EQ(realSkyAirmassAt(c.sinAlt), c.airmass) << c.sinAlt;
}

// A star's place looking at a pixel of the view; up overrides the altitude when given.
sStarPlace placeAt(const sSkyProjection& view, double x, double y) {
    const sVec3 d = directionOfPixel(view, x, y);
    return {static_cast<float>(d.x), static_cast<float>(d.y), static_cast<float>(d.z)};
}

TEST(RealSkyPaths, OnlyStarsOnOrNearTheViewHavePathsAndTheyRunBetweenTheEnds) {
    const sSkyProjection view = makeSkyProjection(kWidth, kHeight, 52.5);
    const sCatalogueStar stars[] = {{0, 0, 1.0f, 0.6f}, {0, 0, 2.0f, 0.0f}, {0, 0, 3.0f, 1.5f},
                                    {0, 0, 4.0f, 0.3f}, {0, 0, 5.0f, 0.3f}, {0, 0, 5.5f, 0.3f}};
    sStarCatalogue catalogue{};
    catalogue.stars = stars;
    catalogue.starCount = std::size(stars);
    const std::vector<sStarPlace> start = {
        placeAt(view, 320.0, 100.0),               // high on the view
        placeAt(view, 100.0, kHeight + 5.0),       // a hair below the horizon: it may rise within the minute
        placeAt(view, 320.0, kHeight + 200.0),     // well below it
        placeAt(view, -3.0, 200.0),                // just off the left edge, within the margin
        placeAt(view, -400.0, 200.0),              // far off it
        {0.0f, 1.0f, 0.0f},                        // straight behind the viewer, on the horizon
    };
    std::vector<sStarPlace> end = start;
    end[0] = placeAt(view, 330.0, 96.0);
    end[1] = placeAt(view, 104.0, kHeight - 12.0);
    end[3] = placeAt(view, 1.0, 198.0);
    cRealSkyPaths paths(view, catalogue.starCount);
    paths.startStars(catalogue, start);
    EXPECT_EQ(paths.nearView(), (std::vector<std::uint32_t>{0, 1, 3}));
    paths.endStars(end);
    const struct {
        float along;
        std::vector<std::uint16_t> shown;
        int x0, y0;  // of the first star
    } moments[] = {{0.0f, {0}, 320, 100}, {0.5f, {0, 1}, 325, 98}, {1.0f, {0, 1, 3}, 330, 96}};
    for (const auto& m : moments) {
        std::vector<sRealSkyPoint> placed;
        paths.placeStars(m.along, placed);
        std::vector<std::uint16_t> shown;
        for (const sRealSkyPoint& p : placed) shown.push_back(p.star);
        EXPECT_EQ(shown, m.shown) << m.along;
        ASSERT_FALSE(placed.empty());
        EXPECT_NEAR(placed[0].x, m.x0, 1) << m.along;
        EXPECT_NEAR(placed[0].y, m.y0, 1) << m.along;
        for (const sRealSkyPoint& p : placed) {
            EXPECT_EQ(p.colourClass, cRealSkyPalette::colourClassOfBv(stars[p.star].bv));
            EXPECT_GT(p.twinkleLevels, 0.0f);
            EXPECT_LE(p.twinkleLevels, cRealSkyPaths::kMaxTwinkle / cRealSkyPalette::kMagnitudesPerLevel + 1e-4f);
        }
        if (placed.size() >= 2) {
            EXPECT_GT(placed[1].twinkleLevels, placed[0].twinkleLevels) << "the lower star twinkles more";
            // Near the horizon the airmass is capped, and the twinkle with it.
            EXPECT_FLOAT_EQ(placed[1].twinkleLevels,
                            (cRealSkyPaths::kTwinkleOverhead +
                             cRealSkyPaths::kTwinklePerAirmass * (cRealSkyPaths::kMaxAirmass - 1.0f)) /
                                cRealSkyPalette::kMagnitudesPerLevel)
                << "capped near the horizon";
        }
    }
}

sBodyPosition bodyAt(double altDeg, double azDeg, double mag) {
    sBodyPosition body;
    body.horizontal.azDeg = azDeg;
    body.apparentAltDeg = altDeg;
    body.mag = mag;
    return body;
}

TEST(RealSkyPaths, APlanetIsPlacedWhereItsApparentPlaceProjectsAndNotBelowTheHorizon) {
    const sSkyProjection view = makeSkyProjection(kWidth, kHeight, 52.5);
    cRealSkyPaths paths(view, 0);
    paths.placePlanet(0, bodyAt(20.0, 170.0, -1.0), bodyAt(20.2, 170.3, -1.0));  // high in the south
    paths.placePlanet(1, bodyAt(-3.0, 200.0, -4.0), bodyAt(-2.8, 200.2, -4.0));  // set
    paths.placePlanet(2, bodyAt(-0.05, 150.0, 1.0), bodyAt(0.1, 150.2, 1.0));    // rising within the minute
    for (int p = 3; p < kRealSkyPlanetCount; ++p) paths.placePlanet(p, bodyAt(-30.0, 0.0, 5.0), bodyAt(-30.0, 0.0, 5.0));
    const struct {
        float along;
        std::vector<std::uint16_t> shown;
    } moments[] = {{0.0f, {0}}, {0.5f, {0, 2}}, {1.0f, {0, 2}}};
    for (const auto& m : moments) {
        std::vector<sRealSkyPoint> placed;
        paths.placePlanets(m.along, placed);
        std::vector<std::uint16_t> shown;
        for (const sRealSkyPoint& p : placed) shown.push_back(p.star);
        EXPECT_EQ(shown, m.shown) << m.along;
        for (const sRealSkyPoint& p : placed) {
            EXPECT_EQ(p.colourClass, cRealSkyPalette::colourClassOfPlanet(p.star));
            EXPECT_EQ(p.twinkleLevels, 0.0f) << "planets shine steadily";
            EXPECT_EQ(p.shown, realSkyLevelIndex(p.level));
        }
        float x = 0.0f, y = 0.0f;
        projectAltAz(view, 20.0 + 0.2 * m.along, 170.0 + 0.3 * m.along, x, y);
        EXPECT_NEAR(placed[0].x, x, 1.0f) << m.along;
        EXPECT_NEAR(placed[0].y, y, 1.0f) << m.along;
    }
}

}  // namespace
