// Stars are placed exactly at whole minutes and moved along straight paths
// in between, only those on or near the view: a star that rises or turns
// into view within the minute must still be drawn where a sky made at that
// second draws it, and the paths must not stray from the stars' true places.
#include "astro/sky_frame.h"
#include "astro/sky_snapshot.h"
#include "astro/star_positions.h"
#include "platform/test_window.h"
#include "support/fake_system.h"
#include "support/log_capture.h"
#include "world/real_sky_sprite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <tuple>
#include <vector>

namespace {

using ShownStars = std::vector<std::tuple<unsigned, int, int>>;

// How many shown stars stand off the pixel their exact place at that moment rounds to, and by how much at most.
std::pair<int, int> offExactPlaces(const cRealSkySprite& sky, std::time_t now, const sPlace& place) {
    cStarPositions exact;
    exact.compute(makeSkyFrame(static_cast<double>(now), place));
    int off = 0, furthest = 0;
    sky.visitVisibleStars([&](unsigned star, int x, int y) {
        const sStarPlace& p = exact.places()[star];
        float ex = 0.0f, ey = 0.0f;
        projectDirection(sky.projection(), p.east, p.north, p.up, ex, ey);
        const int miss = std::max(std::abs(x - static_cast<int>(std::lround(ex))), std::abs(y - static_cast<int>(std::lround(ey))));
        off += miss > 0 ? 1 : 0;
        furthest = std::max(furthest, miss);
    });
    return {off, furthest};
}

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
    // Dark evening skies in both hemispheres, where stars rise at the left and set at the right.
    const Case cases[] = {{"Berlin", 52.5, 13.4, 1768507200}, {"Sydney", -33.9, 151.2, 1768477200}};
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
        // Half way through a minute, where a path strays most; a star a hair
        // from a pixel's edge may round the other way.
        const auto [off, furthest] = offExactPlaces(turning, c.start + kSeconds, options.place);
        EXPECT_LE(furthest, 1) << c.where;
        EXPECT_LE(off, 3) << c.where << ": stars off their exact pixel";
    }
}

}  // namespace

namespace {

// A clock set far off keeps the sky up; the log says once, at the first
// minute outside them, that the planets' elements do not hold there.
TEST(RealSky, AClockOutsideThePlanetsYearsIsWarnedOfOnceAndTheSkyRuns) {
    const struct {
        std::int64_t start;
        bool warned;
    } cases[] = {
        {2556143700, false},   // 2050-12-31 23:55 UTC: within the last minutes the elements hold
        {2556144000, true},    // 2051-01-01 00:00
        {-5364662460, true},   // 1799-12-31 23:59
        {253370764800, true},  // 9999-01-01 00:00
    };
    for (const auto& c : cases) {
        // A 32-bit clock (the 32-bit Windows build's) cannot leave the years.
        if (static_cast<std::int64_t>(static_cast<std::time_t>(c.start)) != c.start) continue;
        const auto start = static_cast<std::time_t>(c.start);
        FakeSystem system;
        LogCapture log;
        auto test = makeTestWindow(320, 180);
        sRealSkyOptions options;
        options.place = {48.2, 16.4};
        cRealSkySprite sky(&test->window(), options);
        for (int minute = 0; minute < 3; ++minute) sky.turnTo(start + 60 * minute);
        const std::string text = log.contents();
        const std::string warning = "elements that hold from 1800 to 2050";
        const std::size_t first = text.find(warning);
        EXPECT_EQ(first != std::string::npos, c.warned) << c.start;
        if (first != std::string::npos) {
            EXPECT_EQ(text.find(warning, first + 1), std::string::npos) << c.start;
        }
        EXPECT_GT(sky.visibleStars(), 0u) << c.start;
    }
}

}  // namespace

namespace {

// Vienna on midsummer day: at noon the sun stands where the sky report puts
// it and only Venus could outshine the day; at night, or with the night's
// look asked for at noon, no sun and the whole starry sky.
TEST(RealSky, ByDayTheSunStandsWhereTheReportPutsItAndTheStarsAreGone) {
    const sPlace vienna{48.21, 16.37};
    const struct {
        const char* what;
        std::time_t at;
        bool alwaysNight;
        bool sunShown;
        size_t leastStars, mostStars;
    } cases[] = {
        {"noon", 1813579200, false, true, 0, 2},            // 2027-06-21 12:00 UTC
        {"night", 1813617000, false, false, 300, 9000},     // 22:30 UTC
        {"noon, always night", 1813579200, true, false, 300, 9000},
    };
    for (const auto& c : cases) {
        FakeSystem system;
        system.now = c.at;
        auto test = makeTestWindow(640, 360);
        sRealSkyOptions options;
        options.place = vienna;
        options.alwaysNight = c.alwaysNight;
        const cRealSkySprite sky(&test->window(), options);
        EXPECT_EQ(sky.sun().shown(), c.sunShown) << c.what;
        EXPECT_GE(sky.visibleStars(), c.leastStars) << c.what;
        EXPECT_LE(sky.visibleStars(), c.mostStars) << c.what;
        if (!c.sunShown) continue;
        const sBodyPosition sun = skySnapshotAt(static_cast<double>(c.at), vienna).sun();
        float x = 0.0f, y = 0.0f;
        ASSERT_TRUE(projectAltAz(sky.projection(), sun.apparentAltDeg, sun.horizontal.azDeg, x, y));
        const keslRect<int> box = sky.sun().box();
        EXPECT_NEAR(box.left + box.width / 2, x, 1.0) << c.what;
        EXPECT_NEAR(box.top + box.height / 2, y, 1.0) << c.what;
        // Half a degree across is a pixel and a bit on a view 360 high: the disc is drawn at its smallest.
        EXPECT_EQ(sky.sun().discRadius(), 3) << c.what;
    }
}

}  // namespace
