#include "support/recording_window.h"
#include "world/airplane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

TEST(Airplane, HeadingsWithin45DegreesOfUpOrDownAreTurnedAQuarterBack) {
    struct Case {
        float heading;
        float expected;
    };
    const Case cases[] = {
        {1.0f, -0.57f}, {0.5f, 0.5f},  {2.0f, 0.43f},  {4.0f, 2.43f}, {5.0f, 3.43f},
        {3.14f, 3.14f}, {6.0f, 6.0f},  {0.785f, 0.785f}, {2.355f, 2.355f}, {5.495f, 5.495f},
    };
    for (const Case& c : cases) EXPECT_NEAR(cAirplane::levelHeading(c.heading), c.expected, 1e-5f) << c.heading;
}

TEST(Airplane, EveryNewAirplaneCruisesNearlyLevelAtAbout20PixelsASecond) {
    for (int i = 0; i < 2000; ++i) {
        cAirplane airplane;
        const float speed = std::hypot(airplane.speedX, airplane.speedY);
        ASSERT_GE(speed, 16.0f - 1e-3f);
        ASSERT_LT(speed, 24.0f);
        // The turn points (0.785, 2.355 ... radians) let a heading stray a hair beyond 45 degrees.
        ASSERT_LE(std::fabs(airplane.speedY), std::fabs(airplane.speedX) * 1.006f);
        ASSERT_GE(airplane.getBlinkClock(), 0.0f);
        ASSERT_LT(airplane.getBlinkClock(), 2.0f);
        ASSERT_FALSE(airplane.isLightOn());
        ASSERT_FALSE(airplane.isPlaced());
    }
}

TEST(Airplane, IsPlacedOnTheFirstUpdateWithAWindowAtWholePixels) {
    RecordingWindow window(640, 480);
    cAirplane airplane;
    airplane.update(0.04f);
    EXPECT_FALSE(airplane.isPlaced());
    airplane.setRenderWindow(&window);
    airplane.speedX = 0.0f;
    airplane.speedY = 0.0f;
    airplane.update(0.04f);
    ASSERT_TRUE(airplane.isPlaced());
    EXPECT_EQ(airplane.x, std::floor(airplane.x));
    EXPECT_EQ(airplane.y, std::floor(airplane.y));
    EXPECT_GE(airplane.x, 0.0f);
    EXPECT_LT(airplane.x, 640.0f);
    EXPECT_GE(airplane.y, 0.0f);
    EXPECT_LT(airplane.y, 480.0f);

    airplane.x = 17.5f;
    airplane.update(0.04f);
    EXPECT_EQ(airplane.x, 17.5f);
}

TEST(Airplane, TheLightIsOnForTheLastFifthOfASecondOfEvery2Point2Seconds) {
    struct Case {
        float clock;
        float seconds;
        bool lightOn;
        float clockAfter;
    };
    const Case cases[] = {
        {0.0f, 0.04f, false, 0.04f}, {1.8f, 0.1f, false, 1.9f},   {1.98f, 0.04f, true, 2.02f},
        {2.1f, 0.05f, true, 2.15f},  {2.15f, 0.1f, true, 0.0f}, {2.19f, 0.04f, true, 0.0f},
    };
    for (const Case& c : cases) {
        cAirplane airplane;
        airplane.setBlinkClock(c.clock);
        airplane.update(c.seconds);
        EXPECT_EQ(airplane.isLightOn(), c.lightOn) << c.clock << " + " << c.seconds;
        EXPECT_NEAR(airplane.getBlinkClock(), c.clockAfter, 1e-5f) << c.clock << " + " << c.seconds;
    }

    // At 25 frames a second: five frames lit in every 55.
    cAirplane airplane;
    airplane.setBlinkClock(0.0f);
    std::vector<int> litFrames;
    for (int frame = 1; frame <= 550; ++frame) {
        airplane.update(0.04f);
        if (airplane.isLightOn()) litFrames.push_back(frame);
    }
    ASSERT_GE(litFrames.size(), 45u);
    EXPECT_LE(litFrames.size(), 55u);
    EXPECT_GE(litFrames.front(), 50);
    EXPECT_LE(litFrames.front(), 52);
}

TEST(Airplane, DrawsTwoGreyDotsOrTheRedLightAtItsWholePixel) {
    RecordingWindow window(640, 480);
    cAirplane airplane;
    airplane.setRenderWindow(&window);
    airplane.update(0.0f);
    airplane.x = 0.4f;
    airplane.y = 5.7f;
    airplane.setBlinkClock(0.0f);
    airplane.update(0.0f);
    airplane.draw();
    EXPECT_EQ(window.takeCalls(), (std::vector<std::string>{"setPixel 1 5 C0C0C0FF", "setPixel 0 5 C0C0C0FF"}));

    airplane.setBlinkClock(2.1f);
    airplane.update(0.0f);
    airplane.draw();
    EXPECT_EQ(window.takeCalls(), std::vector<std::string>{"fillRect 4 -1 3 2 FF0000FF"});
}

}  // namespace
