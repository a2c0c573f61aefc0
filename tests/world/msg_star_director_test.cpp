#include "platform/test_window.h"
#include "settings/key_value.h"
#include "sprites/sprite_text.h"
#include "support/log_capture.h"
#include "world/msg_bottom_line.h"
#include "world/msg_star_crowd.h"
#include "world/msg_star_director.h"

#include <gtest/gtest.h>

namespace {

constexpr float kStep = 0.04f;
const keslRect<int> kMonitor{0, 0, 640, 480};

const messageRecord kFirst{"Your message\r\nhere", "and your bottom line here"};
const messageRecord kSecond{"Two", "a second, rather longer bottom line that needs a while to cross"};

TEST(MsgStarDirector, GetMsgGoesRoundTheListAndWraps) {
    cMsgStarDirector director;
    director.setMessages({{"1", ""}, {"2", ""}, {"3", ""}});
    std::string seen;
    for (int i = 0; i < 7; ++i) seen += director.getMsg()->text;
    EXPECT_EQ(seen, "1231231");
}

TEST(MsgStarDirector, GetMsgOnAnEmptyListGivesNothing) {
    cMsgStarDirector director;
    EXPECT_EQ(director.getMsg(), nullptr);
    EXPECT_EQ(director.nextIndex(), 0);
}

TEST(MsgStarDirector, LoadsTheMessagesFromTheSettingsStartingWithTheFirst) {
    keslKeyValue store;
    cMsgStarDirector director;
    director.loadMessages(store);
    ASSERT_EQ(director.messages().size(), 2u);
    EXPECT_EQ(director.messages()[0].text, "Your message\r\nhere");
    EXPECT_EQ(director.getMsg()->bottomLine, "and your bottom line here");
}

// The world's share of the message machinery: the crowd, the points, the
// projector and a bottom line drawn in a real window, updated frame by frame.
class MessageCycle : public ::testing::Test {
protected:
    void SetUp() override {
        bottomLine.setRenderWindow(&window->window());
        configureBottomLine(bottomLine, kMonitor);
    }

    // One world frame: the sprites move, then the message timing runs.
    void frame() {
        for (auto& star : *crowd) star->update(kStep);
        bottomLine.update(kStep);
        director.runMessageTiming(kStep, stage);
        now += kStep;
    }

    // Frames until the next message is applied; the time it came. A new
    // transition shows as its clock starting again.
    float runUntilNextMessage(float limitSeconds) {
        float lastElapsed = director.currentEffect()->elapsed;
        while (now < limitSeconds) {
            frame();
            if (director.currentEffect()->elapsed < lastElapsed) break;
            lastElapsed = director.currentEffect()->elapsed;
        }
        return now;
    }

    std::unique_ptr<TestWindow> window = makeTestWindow(kMonitor.width, kMonitor.height);
    std::unique_ptr<cMsgStarArray> crowd = makeMsgStarCrowd();
    cTargetPoints points;
    cTextProjector projector;
    TzerinSpriteText bottomLine{"bottomLine"};
    cMsgStarStage stage{kMonitor, *crowd, points, projector, bottomLine};
    cMsgStarDirector director;
    float now = 0.0f;
};

TEST_F(MessageCycle, TheFirstMessageComesOnTheFirstFrame) {
    director.setMessages({kFirst, kSecond});
    LogCapture log;
    frame();
    ASSERT_NE(director.currentEffect(), nullptr);
    EXPECT_TRUE(director.currentEffect()->running);
    EXPECT_EQ(bottomLine.getText(), kFirst.bottomLine);
    EXPECT_FALSE(points.empty());
    EXPECT_TRUE((*crowd)[0]->active);
    EXPECT_TRUE(log.contains("msgStarDirector.applyNextMessage()"));
}

TEST_F(MessageCycle, TheBottomLineWaitsOffScreenWhileTheStarsFlyThenScrollsAcross) {
    director.setMessages({kFirst, kSecond});
    while (now < 19.9f) {
        frame();
        ASSERT_EQ(bottomLine.disabledCount, 1) << now;
        ASSERT_EQ(bottomLine.x, 641.0f) << now;
    }
    while (now < 20.1f) frame();
    EXPECT_EQ(bottomLine.disabledCount, 0);
    const float startX = bottomLine.x;
    for (int i = 0; i < 25; ++i) frame();
    EXPECT_NEAR(startX - bottomLine.x, 40.0f, 0.1f) << "a sixteenth of 640 pixels per second";
    EXPECT_LT(bottomLine.x, 641.0f);
}

TEST_F(MessageCycle, TheNextMessageWaitsForThirtySecondsAndForTheBottomLineToLeave) {
    director.setMessages({kFirst, kSecond});
    frame();
    const float firstWidth = bottomLine.width;
    ASSERT_GT(firstWidth, 100.0f);

    // 16 s to cross 640 pixels, plus the label's own width, after the 20 s of the transition.
    const float expectedFirst = 20.0f + 16.0f * (640.0f + firstWidth) / 640.0f;
    const float second = runUntilNextMessage(200.0f);
    EXPECT_GT(second, 30.0f);
    EXPECT_NEAR(second, expectedFirst, 0.2f);
    EXPECT_EQ(bottomLine.getText(), kSecond.bottomLine);

    const float longLineWidth = bottomLine.width;
    ASSERT_GT(longLineWidth, firstWidth + 100.0f);
    const float third = runUntilNextMessage(400.0f);
    EXPECT_NEAR(third - second, 20.0f + 16.0f * (640.0f + longLineWidth) / 640.0f, 0.2f);
    EXPECT_EQ(bottomLine.getText(), kFirst.bottomLine) << "two messages alternate";
}

TEST_F(MessageCycle, AnEmptyBottomLineStillCrossesBeforeTheNextMessage) {
    director.setMessages({{"Only", ""}});
    frame();
    ASSERT_TRUE((*crowd)[0]->active);
    EXPECT_EQ(bottomLine.width, 0.0f);
    const float next = runUntilNextMessage(100.0f);
    EXPECT_NEAR(next, 20.0f + 16.0f * 641.0f / 640.0f, 0.1f);
    EXPECT_EQ(director.nextIndex(), 0) << "a single message is applied again";
}

TEST_F(MessageCycle, AnEmptyListShowsNothingAndReleasesTheBottomLine) {
    for (int i = 0; i < 10; ++i) frame();
    EXPECT_EQ(director.currentEffect(), nullptr);
    EXPECT_EQ(bottomLine.disabledCount, 0);
    EXPECT_TRUE(points.empty());
    for (const auto& star : *crowd) ASSERT_FALSE(star->active);
}

TEST_F(MessageCycle, ABlankMessageSendsEveryStarAwayUntilTheNext) {
    director.setMessages({kFirst, {"  ", ""}});
    frame();
    runUntilNextMessage(200.0f);
    EXPECT_TRUE(points.empty());
    // The stars move before the timing runs, so their clocks trail the transition's by a frame.
    while (director.currentEffect()->running) frame();
    frame();
    for (const auto& star : *crowd) ASSERT_FALSE(star->active);
}

}  // namespace
