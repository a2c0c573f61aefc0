// The view's projection undone, and the bound on how far a turn of the sky
// moves any point of the view: the real sky decides from it when to draw its
// layer again and how wide a margin its stars' paths need.
#include "astro/sky_projection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

TEST(SkyProjection, DirectionOfPixelIsWhereProjectingThatDirectionLands) {
    const struct {
        int width, height;
        double latitude;
        double x, y;
    } cases[] = {
        {1920, 1080, 52.5, 960.0, 1079.0},  // the horizon's middle, where the plane touches the sphere
        {1920, 1080, 52.5, 960.0, 0.0},     // the top edge's middle
        {1920, 1080, 52.5, 0.0, 0.0},       // the top corners, furthest out
        {1920, 1080, 52.5, 1919.0, 0.0},
        {1920, 1080, 52.5, 100.0, 900.0},   // low on the left
        {640, 360, -33.9, 600.0, 40.0},     // facing north
        {640, 360, -33.9, 20.0, 350.0},
        {3840, 1080, 10.0, 3000.0, 500.0},  // a panorama
        {1920, 1080, 52.5, 960.0, 1300.0},  // below the view: below the horizon
    };
    for (const auto& c : cases) {
        const sSkyProjection view = makeSkyProjection(c.width, c.height, c.latitude);
        const sVec3 d = directionOfPixel(view, c.x, c.y);
        EXPECT_NEAR(length(d), 1.0, 1e-9) << c.x << "," << c.y;
        float x = 0.0f, y = 0.0f;
        ASSERT_TRUE(projectDirection(view, static_cast<float>(d.x), static_cast<float>(d.y), static_cast<float>(d.z), x, y));
        EXPECT_NEAR(x, c.x, 0.02) << c.width << "x" << c.height << " at " << c.x << "," << c.y;
        EXPECT_NEAR(y, c.y, 0.02) << c.width << "x" << c.height << " at " << c.x << "," << c.y;
        // Below the view's bottom edge lies below the horizon, above it above.
        EXPECT_EQ(d.z > 0.0, c.y < c.height) << c.x << "," << c.y;
    }
}

// Turns an (east, north, up) direction about the celestial pole of a place by this many degrees.
sVec3 turnedAboutPole(const sVec3& v, double latitudeDeg, double degrees) {
    const double lat = latitudeDeg * kDegToRad, a = degrees * kDegToRad;
    const sVec3 k{0.0, std::cos(lat), std::sin(lat)};
    const sVec3 kxv{k.y * v.z - k.z * v.y, k.z * v.x - k.x * v.z, k.x * v.y - k.y * v.x};
    return std::cos(a) * v + std::sin(a) * kxv + ((1.0 - std::cos(a)) * dot(k, v)) * k;
}

// The bound holds at every corner and the middle of the top, for turns from
// a pixel's worth to a quarter degree, and is not loose by much where the view magnifies most.
TEST(SkyProjection, PixelsForTurnBoundsHowFarTheViewsPointsMove) {
    const struct {
        int width, height;
        double latitude;
    } views[] = {{1920, 1080, 52.5}, {640, 360, -33.9}, {3840, 1080, 5.0}, {1080, 1920, 70.0}};
    const double turns[] = {0.01, 0.05, 0.25};
    for (const auto& v : views) {
        const sSkyProjection view = makeSkyProjection(v.width, v.height, v.latitude);
        for (const double turn : turns) {
            const double bound = pixelsForTurn(view, turn);
            double furthest = 0.0;
            const double pixels[][2] = {{0.0, 0.0},
                                        {v.width - 1.0, 0.0},
                                        {0.0, v.height - 1.0},
                                        {v.width - 1.0, v.height - 1.0},
                                        {0.5 * v.width, 0.0}};
            for (const auto& p : pixels) {
                const sVec3 d = turnedAboutPole(directionOfPixel(view, p[0], p[1]), v.latitude, turn);
                float x = 0.0f, y = 0.0f;
                ASSERT_TRUE(projectDirection(view, static_cast<float>(d.x), static_cast<float>(d.y),
                                             static_cast<float>(d.z), x, y));
                const double moved = std::hypot(x - p[0], y - p[1]);
                EXPECT_LE(moved, bound) << v.width << "x" << v.height << " turned " << turn << " at " << p[0] << "," << p[1];
                furthest = std::max(furthest, moved);
            }
            EXPECT_GT(furthest, 0.2 * bound) << v.width << "x" << v.height << " turned " << turn;
        }
    }
    // Twice the turn, twice the bound.
    const sSkyProjection view = makeSkyProjection(1920, 1080, 52.5);
    EXPECT_NEAR(pixelsForTurn(view, 0.5), 2.0 * pixelsForTurn(view, 0.25), 1e-9);
}

}  // namespace
