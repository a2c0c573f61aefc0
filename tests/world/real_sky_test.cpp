// Between the minutes when every star is placed, only the stars on or near
// the view are; a star that rises or turns into view in between must still
// be drawn where a sky placing every star would draw it.
#include "platform/test_window.h"
#include "support/fake_system.h"
#include "world/real_sky_sprite.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using ShownStars = std::vector<std::tuple<unsigned, int, int>>;

ShownStars shownStars(const cRealSkySprite& sky) {
    ShownStars shown;
    sky.visitVisibleStars([&](unsigned star, int x, int y) { shown.emplace_back(star, x, y); });
    return shown;
}

TEST(RealSky, StarsPlacedSecondBySecondAreWhereAFreshSkyPlacesThem) {
    struct Case {
        const char* where;
        double latitude, longitude;
        std::time_t start;
    };
    // Evening skies in both hemispheres, where stars rise at the left and set at the right.
    const Case cases[] = {{"Berlin", 52.5, 13.4, 1768507200}, {"Sydney", -33.9, 151.2, 1768470000}};
    for (const Case& c : cases) {
        FakeSystem system;
        system.now = c.start;
        auto test = makeTestWindow(640, 360);
        keslWindow& window = test->window();
        sRealSkyOptions options;
        options.place = {c.latitude, c.longitude};
        // Without lines nothing but the minute places every star.
        options.constellationLines = false;
        cRealSkySprite turning(&window, options);
        constexpr int kSeconds = 150;
        constexpr int kCompareEvery = 15;
        int differing = 0;
        for (int second = 1; second <= kSeconds; ++second) {
            turning.turnTo(c.start + second);
            if (second % kCompareEvery != 0) continue;
            cRealSkySprite fresh(&window, options);
            fresh.turnTo(c.start + second);
            differing += shownStars(turning) == shownStars(fresh) ? 0 : 1;
        }
        EXPECT_EQ(differing, 0) << c.where << ": seconds whose stars differ from a fresh sky's";
        EXPECT_GT(turning.visibleStars(), 200u) << c.where;
    }
}

}  // namespace
