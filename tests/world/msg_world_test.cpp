#include "platform/test_window.h"
#include "support/log_capture.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr float kFrame = 0.04f;
constexpr keslColor kNight = 0x000000FFu;

class NightSkyFactory : public cSkyBackgroundFactory {
public:
    std::unique_ptr<cSkyBackground> create() const override {
        return std::make_unique<cSkyBackground_SolidColor>(kNight);
    }
};

int activeMessageStars(const TorvanelWorld& world) {
    int count = 0;
    for (const auto& star : world.getMsgStars()) count += star->active ? 1 : 0;
    return count;
}

TEST(MsgWorld, BuildsFifteenHundredIdleMessageStarsAndAWaitingBottomLine) {
    auto test = makeTestWindow(1280, 1024);
    LogCapture log;
    TorvanelWorld world(&test->window(), false, keslRect<int>(0, 0, 1280, 1024), 1280L * 1024, "", NightSkyFactory());

    for (const auto& star : world.getMsgStars()) {
        ASSERT_STREQ(star->getName(), "msg star");
        ASSERT_FALSE(star->active);
        ASSERT_GE(star->baseBrightness, 0.3f);
        ASSERT_LT(star->baseBrightness, 0.5f);
        ASSERT_EQ(star->twinkleAmplitude, 0.5f);
        ASSERT_TRUE(star->restrictions.empty());
    }
    const TzerinSpriteText& line = world.getBottomLine();
    EXPECT_EQ(line.disabledCount, 1);
    EXPECT_EQ(line.x, 1281.0f);
    EXPECT_FLOAT_EQ(line.y, 972.8f);
    EXPECT_EQ(line.speedX, -80.0f);
    EXPECT_EQ(line.textParams.fontSize, 12.0f);
    EXPECT_EQ(line.textParams.color, 0x00FFFFFFu);
    EXPECT_TRUE(log.contains("Entering: creating thousands of message stars"));
    EXPECT_TRUE(log.contains("Exiting: creating thousands of message stars"));
}

// A world on a 640 x 480 window with two known messages, driven frame by frame.
class MsgWorldCycle : public ::testing::Test {
protected:
    void SetUp() override {
        world.getMsgStarDirector().setMessages(
            {{"Your message\r\nhere", "and your bottom line here"}, {"Two", "the second bottom line"}});
    }

    void runUntil(float seconds) {
        while (now < seconds) {
            world.update(kFrame);
            now += kFrame;
        }
    }

    std::unique_ptr<TestWindow> test = makeTestWindow(640, 480);
    TorvanelWorld world{&test->window(), false, keslRect<int>(0, 0, 640, 480), 640L * 480, "", NightSkyFactory()};
    float now = 0.0f;
};

TEST_F(MsgWorldCycle, TheFirstMessageStartsOnTheFirstFrameAndTheLineWaitsOffScreen) {
    LogCapture log;
    runUntil(kFrame);
    EXPECT_TRUE(log.contains("msgStarDirector.applyNextMessage()"));
    EXPECT_TRUE(log.contains("project(Your message"));
    EXPECT_GT(activeMessageStars(world), 100);
    EXPECT_EQ(world.getBottomLine().getText(), "and your bottom line here");
    EXPECT_EQ(world.getBottomLine().disabledCount, 1);
    EXPECT_EQ(world.getBottomLine().x, 641.0f);
}

TEST_F(MsgWorldCycle, AfterTwentySecondsTheMessageIsDrawnInStarsInTheLowerMonitor) {
    runUntil(20.1f);
    world.spriteDirector.draw();
    int drawn = 0;
    for (const auto& star : world.getMsgStars()) {
        if (!star->active) continue;
        ASSERT_EQ(star->x, static_cast<float>(star->targetX)) << "every star has landed";
        ASSERT_GE(star->targetX, 0);
        ASSERT_LT(star->targetX, 640);
        ASSERT_GE(star->targetY, 130);
        ASSERT_LT(star->targetY, 460);
        // A star's centre is three pixels right of and below its position.
        ASSERT_NE(test->window().getPixel(star->targetX + 3, star->targetY + 3), kNight);
        ++drawn;
    }
    EXPECT_GT(drawn, 100);
    EXPECT_EQ(world.getBottomLine().disabledCount, 0) << "the line is released";
}

TEST_F(MsgWorldCycle, TheSecondMessageFollowsOnceTheLineHasCrossedAndThirtySecondsHavePassed) {
    runUntil(kFrame);
    const TzerinSpriteText& line = world.getBottomLine();
    const float lineWidth = line.width;
    ASSERT_GT(lineWidth, 50.0f);
    float lastRightEdge = 0.0f;
    while (line.getText() == "and your bottom line here" && now < 120.0f) {
        lastRightEdge = line.x + lineWidth;
        runUntil(now + kFrame);
    }
    EXPECT_EQ(line.getText(), "the second bottom line");
    // The frame that brings the next message first moves the line past the left edge.
    EXPECT_LT(lastRightEdge, 40.0f * kFrame);
    EXPECT_GE(lastRightEdge, 0.0f);
    EXPECT_GT(now, 30.0f);
    EXPECT_NEAR(now, 20.0f + 16.0f * (640.0f + lineWidth) / 640.0f, 0.2f);
}

// Only stars that are out of play and have said they draw nothing may rest:
// a resting star is neither updated nor asked to report.
size_t restingMessageStars(const TorvanelWorld& world) {
    const std::vector<TzerinSprite*>& members = world.spriteDirector.members();
    size_t resting = 0;
    for (size_t i = 0; i < members.size(); ++i) {
        if (!world.spriteDirector.rests(i)) continue;
        const auto* star = dynamic_cast<const cMsgStar*>(members[i]);
        EXPECT_NE(star, nullptr) << "member " << i << " rests but is no message star";
        if (star == nullptr) continue;
        EXPECT_FALSE(star->active) << "message star member " << i << " rests in play";
        EXPECT_TRUE(keslIsEmpty(star->reportedCoverage())) << "member " << i << " rests before its last report";
        ++resting;
    }
    return resting;
}

TEST_F(MsgWorldCycle, StarsOutOfPlayRestOnceAMessageIsWrittenAndTheNextTransitionWakesThem) {
    // The short message first: the long one needs stars that rested meanwhile.
    world.getMsgStarDirector().setMessages({{"Two", "a line"}, {"Your message\r\nhere", "and your bottom line here"}});
    auto frames = [&](float seconds) {
        for (const float end = now + seconds; now < end; now += kFrame) {
            world.update(kFrame);
            world.draw();
        }
    };
    frames(21.0f);
    const int shortMessageStars = activeMessageStars(world);
    EXPECT_GT(restingMessageStars(world), 1000u);

    const TzerinSpriteText& line = world.getBottomLine();
    while (line.getText() == "a line" && now < 120.0f) frames(kFrame);
    ASSERT_EQ(line.getText(), "and your bottom line here");
    EXPECT_EQ(restingMessageStars(world), 0u) << "a transition wakes the whole crowd";

    frames(21.0f);
    int landed = 0;
    for (const auto& star : world.getMsgStars()) {
        if (!star->active) continue;
        ASSERT_EQ(star->x, static_cast<float>(star->targetX)) << "every star has landed";
        ++landed;
    }
    EXPECT_GT(landed, shortMessageStars);
    EXPECT_GT(restingMessageStars(world), 0u);
}

}  // namespace
