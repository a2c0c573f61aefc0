#include "sprites/random.h"
#include "support/log_capture.h"
#include "support/recording_window.h"
#include "world/falling_star.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The random draws of one launch, replayed from the same seed in the order the
// star must take them: angle, speed, column, wait.
struct LaunchDraws {
    float angle;
    float speed;
    int column;
    float wait;
};

float unitDraw() { return static_cast<float>(std::rand() & 0x7FFF) / 32768.0f; }

LaunchDraws replayLaunch(unsigned seed, int windowWidth) {
    std::srand(seed);
    const float meanSpeed = static_cast<float>(std::min(windowWidth, 1300)) / 1.1f;
    LaunchDraws draws{};
    draws.angle = 2.826f - unitDraw() * 2.512f;
    draws.speed = unitDraw() * (0.4f * meanSpeed) + 0.8f * meanSpeed;
    draws.column = static_cast<int>(unitDraw() * static_cast<float>(windowWidth));
    draws.wait = unitDraw() * (44.25f - 17.7f) + 17.7f;
    return draws;
}

// The Windows C library's first draw after srand follows the seed closely:
// seeds far apart give first draws all over the range.
unsigned spreadSeed(unsigned i) { return i * 2654435761u; }

void launchWithSeed(cFallingStar& star, unsigned seed) {
    keslSeedRandomOnce();
    std::srand(seed);
    star.launch();
}

int roundToPixel(float value) { return static_cast<int>(value + 0.5f); }

TEST(FallingStar, SpeedAndTailFollowTheWidthCappedAt1300AndEveryDrawStaysInItsRange) {
    struct Case {
        int width;
        float meanSpeed;
        float tailLength;
    };
    for (const Case& c : {Case{2560, 1181.8f, 13.0f}, Case{800, 727.3f, 8.0f}}) {
        SCOPED_TRACE(c.width);
        RecordingWindow window(c.width, 1000);
        cFallingStar star;
        star.setRenderWindow(&window);
        for (unsigned i = 1; i <= 300; ++i) {
            const unsigned seed = spreadSeed(i);
            launchWithSeed(star, seed);
            const LaunchDraws draws = replayLaunch(seed, c.width);
            const float speed = std::hypot(star.speedX, star.speedY);
            const float angle = std::atan2(star.speedY, star.speedX);
            ASSERT_NEAR(speed, draws.speed, 0.01f);
            ASSERT_NEAR(angle, draws.angle, 1e-4f);
            ASSERT_GE(speed, 0.8f * c.meanSpeed - 0.1f);
            ASSERT_LT(speed, 1.2f * c.meanSpeed + 0.1f);
            ASSERT_GT(angle, 0.314f);
            ASSERT_LE(angle, 2.8261f);
            ASSERT_NEAR(std::hypot(star.getTailX(), star.getTailY()), c.tailLength, 1e-4f);
            // The tail points back against the motion.
            ASSERT_LT(star.getTailY(), 0.0f);
            ASSERT_NEAR(star.getWait(), draws.wait, 1e-3f);
            ASSERT_GE(star.getWait(), 17.7f - 1e-3f);
            ASSERT_LT(star.getWait(), 44.25f);
            ASSERT_EQ(star.y, 10.0f);
            ASSERT_TRUE(star.isLaunched());
        }
    }
}

TEST(FallingStar, TheStartColumnMovesSoThatTheEstimatedEndStaysInTheWindow) {
    RecordingWindow window(800, 600);
    cFallingStar star;
    star.setRenderWindow(&window);
    LogCapture log;
    int movedLeft = 0;
    int movedRight = 0;
    for (unsigned i = 1; i <= 400; ++i) {
        const unsigned seed = spreadSeed(i);
        launchWithSeed(star, seed);
        const LaunchDraws draws = replayLaunch(seed, 800);
        const int end = static_cast<int>(std::cos(draws.angle) * 600.0f + static_cast<float>(draws.column));
        int expected = draws.column;
        if (end > 800) {
            expected -= end - 800;
            ++movedLeft;
        } else if (end < 0) {
            expected -= end;
            ++movedRight;
        }
        ASSERT_EQ(star.x, static_cast<float>(expected)) << "seed " << seed;
        ASSERT_TRUE(log.contains("falling star xEnd:" + std::to_string(end)));
    }
    EXPECT_GT(movedLeft, 0);
    EXPECT_GT(movedRight, 0);
}

TEST(FallingStar, WaitsHiddenThenFallsAsAThreeSegmentStreakAndStartsOverBelowTheBottom) {
    RecordingWindow window(800, 600);
    cFallingStar star;
    star.update(0.04f);
    EXPECT_FALSE(star.isLaunched());
    star.setRenderWindow(&window);

    keslSeedRandomOnce();
    std::srand(7);
    star.update(0.04f);
    ASSERT_TRUE(star.isLaunched());
    const float startX = star.x;
    int waitingFrames = 0;
    while (star.getWait() > 0.0f && waitingFrames < 2000) {
        star.draw();
        ASSERT_TRUE(window.takeCalls().empty());
        ASSERT_EQ(star.x, startX);
        ASSERT_EQ(star.y, 10.0f);
        star.update(0.04f);
        ++waitingFrames;
    }
    EXPECT_LE(waitingFrames, 44.25f / 0.04f + 1);

    int fallingFrames = 0;
    float lastY = star.y;
    while (star.getWait() <= 0.0f && fallingFrames < 2000) {
        star.draw();
        const float px = star.x, py = star.y, tx = star.getTailX(), ty = star.getTailY();
        const float x1 = px + tx / 5, y1 = py + ty / 5;
        const float x2 = x1 + tx / 1.5f, y2 = y1 + ty / 1.5f;
        char head[80], middle[80], end[80];
        std::snprintf(head, sizeof head, "drawLine %d %d %d %d 3 FFDFA0FF", roundToPixel(px), roundToPixel(py),
                      roundToPixel(x1), roundToPixel(y1));
        std::snprintf(middle, sizeof middle, "drawLine %d %d %d %d 1 FFDFA0FF", roundToPixel(x1), roundToPixel(y1),
                      roundToPixel(x2), roundToPixel(y2));
        std::snprintf(end, sizeof end, "drawLine %d %d %d %d 1 806030FF", roundToPixel(x2), roundToPixel(y2),
                      roundToPixel(x2 + tx), roundToPixel(y2 + ty));
        ASSERT_EQ(window.takeCalls(), (std::vector<std::string>{head, middle, end}));
        star.update(0.04f);
        ASSERT_TRUE(star.y > lastY || star.y == 10.0f);
        lastY = star.y;
        ++fallingFrames;
    }
    // From y = 10 to below 600 at no less than sin 18 degrees of 0.8 x 727 pixels a second.
    EXPECT_GE(fallingFrames, 1);
    EXPECT_LE(fallingFrames, 83);
    EXPECT_EQ(star.y, 10.0f);
    EXPECT_GT(star.getWait(), 17.0f);
}

}  // namespace
