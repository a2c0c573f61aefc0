// When the real sky's stars step their twinkles: each at its group's moment,
// a few times a second, and only past the hysteresis.
#include "world/real_sky_twinkle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr float kFrameSeconds = 0.04f;

sRealSkyPoint starWith(size_t index, float level, float twinkleMagnitudes) {
    sRealSkyPoint point{100, 100, 0, level, twinkleMagnitudes / cRealSkyPalette::kMagnitudesPerLevel,
                        static_cast<std::uint16_t>(index), 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    cRealSkyTwinkle::seed(point, index);
    return point;
}

struct sRun {
    int changes = 0;     // levels shown anew
    int steps = 0;       // twinkle steps taken
    bool filed = false;  // whether the star was looked at at all
};

// Runs one star's twinkle over some seconds of frames.
sRun run(sRealSkyPoint star, double seconds) {
    cRealSkyTwinkle twinkle(4);
    std::vector<sRealSkyPoint> stars{star}, before;
    twinkle.settle(stars, before);
    sRun result;
    result.filed = twinkle.filed() == 1;
    std::int32_t lastStep = stars[0].step;
    for (double t = 0.0; t < seconds; t += kFrameSeconds) {
        twinkle.advance(kFrameSeconds);
        twinkle.step(stars, [&](const sRealSkyPoint& changed, int shownBefore) {
            EXPECT_NE(changed.shown, shownBefore);
            ++result.changes;
        });
        if (stars[0].step != lastStep) ++result.steps;
        lastStep = stars[0].step;
    }
    return result;
}

TEST(RealSkyTwinkle, AStarOverheadStaysAndALowOneChangesItsLevel) {
    const struct {
        const char* what;
        float level, twinkleMagnitudes;
        bool filed;
        int fewestChanges, mostChanges;
    } cases[] = {
        // The overhead twinkle, a fifth of a level, never strays past the hysteresis.
        {"overhead, on a level", 20.0f, 0.03f, false, 0, 0},
        {"overhead, half way between levels", 20.45f, 0.03f, false, 0, 0},
        {"near the horizon", 20.0f, 0.7f, true, 10, 51},
        {"low, among the brightest", 62.5f, 0.7f, true, 3, 51},
    };
    for (const auto& c : cases) {
        const sRun result = run(starWith(7, c.level, c.twinkleMagnitudes), 20.0);
        EXPECT_EQ(result.filed, c.filed) << c.what;
        EXPECT_GE(result.changes, c.fewestChanges) << c.what;
        EXPECT_LE(result.changes, c.mostChanges) << c.what;
        // Changes come only with steps, 2.5 a second.
        EXPECT_LE(result.changes, static_cast<int>(20.0 * cRealSkyTwinkle::kStepsPerSecond) + 1) << c.what;
    }
}

TEST(RealSkyTwinkle, AStarStepsOnlyWhenItsGroupsMomentCame) {
    for (const size_t index : {1u, 5u, 12u, 300u}) {
        sRealSkyPoint star = starWith(index, 20.0f, 0.7f);
        cRealSkyTwinkle twinkle(4);
        std::vector<sRealSkyPoint> stars{star}, before;
        twinkle.settle(stars, before);
        ASSERT_EQ(twinkle.filed(), 1u);
        const std::int32_t first = stars[0].step;
        // The star's step turns over when seconds * 2.5 + stagger reaches a whole number.
        const double moment = (static_cast<double>(first + 1) - stars[0].stagger) / cRealSkyTwinkle::kStepsPerSecond;
        twinkle.advance(static_cast<float>(moment - 0.01));
        twinkle.step(stars, [](const sRealSkyPoint&, int) {});
        EXPECT_EQ(stars[0].step, first) << index << ": before its moment";
        twinkle.advance(0.02f);
        twinkle.step(stars, [](const sRealSkyPoint&, int) {});
        EXPECT_EQ(stars[0].step, first + 1) << index << ": at its moment";
    }
    // Over ten seconds each star steps 25 times, whatever its group.
    for (const size_t index : {2u, 9u, 40u}) {
        EXPECT_NEAR(run(starWith(index, 20.0f, 0.7f), 10.0).steps, 25, 1) << index;
    }
}

TEST(RealSkyTwinkle, AStarStillInViewKeepsTheLevelItShowed) {
    cRealSkyTwinkle twinkle(4);
    twinkle.advance(3.3f);
    std::vector<sRealSkyPoint> before{starWith(3, 20.0f, 0.7f), starWith(8, 20.0f, 0.7f)};
    before[0].shown = 17;
    before[0].step = 4;
    before[1].shown = 23;
    before[1].step = 5;
    std::vector<sRealSkyPoint> stars{starWith(2, 30.0f, 0.7f), starWith(8, 20.0f, 0.7f)};
    twinkle.settle(stars, before);
    EXPECT_EQ(stars[1].shown, 23) << "kept, hysteresis and all";
    EXPECT_EQ(stars[1].step, 5);
    EXPECT_EQ(stars[0].shown, twinkle.twinkledLevel(stars[0])) << "a new star starts where its twinkle stands";
    EXPECT_EQ(stars[0].step, twinkle.stepOf(stars[0]));
    EXPECT_EQ(twinkle.filed(), 2u);
}

}  // namespace
