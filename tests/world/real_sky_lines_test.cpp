// The constellation figures' lines: short of their stars, and only where they can be seen.
#include "world/real_sky_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

sStarPlace placeAt(const sSkyProjection& view, double x, double y) {
    const sVec3 d = directionOfPixel(view, x, y);
    return {static_cast<float>(d.x), static_cast<float>(d.y), static_cast<float>(d.z)};
}

TEST(RealSkyLines, LinesStopShortOfTheirStarsAndThoseUnseenAreLeftOut) {
    const sSkyProjection view = makeSkyProjection(640, 360, 52.5);
    const struct {
        const char* what;
        double x0, y0, x1, y1;
        bool drawn;
    } cases[] = {
        {"across the view", 100.0, 100.0, 200.0, 100.0, true},
        {"slanting", 300.0, 50.0, 330.0, 90.0, true},
        {"one star below the horizon", 400.0, 300.0, 420.0, 380.0, true},
        {"both stars below the horizon", 400.0, 370.0, 440.0, 390.0, false},
        {"no longer than its two gaps", 50.0, 50.0, 58.0, 55.0, false},
        {"far off the view, where the plane stretches", -2000.0, 100.0, -1900.0, 100.0, false},
    };
    std::vector<sStarPlace> places;
    std::vector<sFigureSegment> segments;
    for (const auto& c : cases) {
        segments.push_back({static_cast<std::uint16_t>(places.size()), static_cast<std::uint16_t>(places.size() + 1)});
        places.push_back(placeAt(view, c.x0, c.y0));
        places.push_back(placeAt(view, c.x1, c.y1));
    }
    sStarCatalogue catalogue{};
    catalogue.segments = segments.data();
    catalogue.segmentCount = segments.size();
    std::vector<cRealSkyLayer::sLine> lines{{1, 2, 3, 4}};  // replaced, not added to
    collectRealSkyLines(view, catalogue, places, lines);
    size_t next = 0;
    for (const auto& c : cases) {
        if (!c.drawn) continue;
        ASSERT_LT(next, lines.size()) << c.what;
        const cRealSkyLayer::sLine& line = lines[next++];
        const double length = std::hypot(c.x1 - c.x0, c.y1 - c.y0);
        const double ux = (c.x1 - c.x0) / length, uy = (c.y1 - c.y0) / length;
        EXPECT_NEAR(line.x0, c.x0 + kRealSkyLineGap * ux, 0.05) << c.what;
        EXPECT_NEAR(line.y0, c.y0 + kRealSkyLineGap * uy, 0.05) << c.what;
        EXPECT_NEAR(line.x1, c.x1 - kRealSkyLineGap * ux, 0.05) << c.what;
        EXPECT_NEAR(line.y1, c.y1 - kRealSkyLineGap * uy, 0.05) << c.what;
        EXPECT_NEAR(std::hypot(line.x1 - line.x0, line.y1 - line.y0), length - 2.0 * kRealSkyLineGap, 0.05) << c.what;
    }
    EXPECT_EQ(lines.size(), next) << "only the lines that can be seen";
}

}  // namespace
