#include "world/msg_star.h"

#include <gtest/gtest.h>

namespace {

constexpr float kStep = 0.04f;

void makeFlying(cMsgStar& star, float start, float end, int targetX, int targetY) {
    star.active = true;
    star.activeAfterMove = true;
    star.m_startMovingAtTime = start;
    star.m_endMovingAtTime = end;
    star.targetX = targetX;
    star.targetY = targetY;
}

TEST(MsgStar, StartsIdleAndAnIdleStarNeitherMovesNorCountsTime) {
    cMsgStar star;
    EXPECT_FALSE(star.active);
    EXPECT_TRUE(star.activeAfterMove);
    EXPECT_FLOAT_EQ(star.m_endMovingAtTime, 1.0f);

    star.speedX = 10.0f;
    star.targetX = 50;
    star.m_startMovingAtTime = 0.0f;
    star.update(5.0f);
    EXPECT_FLOAT_EQ(star.x, 0.0f);
    EXPECT_FLOAT_EQ(star.transitionClock, 0.0f);
    EXPECT_FALSE(star.moveStarted);
}

TEST(MsgStar, WaitsThenFliesStraightAtConstantSpeedAndLandsExactlyAtTheEnd) {
    cMsgStar star;
    makeFlying(star, 2.0f, 6.0f, 400, 200);

    bool sawFlight = false;
    while (!star.moveEnded) {
        const bool waiting = !star.moveStarted;
        star.update(kStep);
        if (waiting && !star.moveStarted) {
            EXPECT_FLOAT_EQ(star.x, 0.0f);
            EXPECT_FLOAT_EQ(star.y, 0.0f);
        }
        if (star.moveStarted && !star.moveEnded) {
            sawFlight = true;
            EXPECT_GT(star.transitionClock, 2.0f);
            EXPECT_FLOAT_EQ(star.speedX, 100.0f);
            EXPECT_FLOAT_EQ(star.speedY, 50.0f);
            EXPECT_NEAR(star.y * 2.0f, star.x, 0.01f) << "off the straight line at " << star.transitionClock;
        }
        ASSERT_LT(star.transitionClock, 6.1f);
    }
    EXPECT_TRUE(sawFlight);
    EXPECT_GE(star.transitionClock, 6.0f);
    EXPECT_EQ(star.x, 400.0f);
    EXPECT_EQ(star.y, 200.0f);
    EXPECT_EQ(star.speedX, 0.0f);
    EXPECT_TRUE(star.active);

    star.update(kStep);
    EXPECT_EQ(star.x, 400.0f) << "a landed star rests at its target";
}

TEST(MsgStar, AFrameLongerThanTheWholeFlightStartsAndLandsIt) {
    cMsgStar star;
    makeFlying(star, 0.1f, 0.5f, -30, 70);
    star.update(1.0f);
    EXPECT_TRUE(star.moveStarted);
    EXPECT_TRUE(star.moveEnded);
    EXPECT_EQ(star.x, -30.0f);
    EXPECT_EQ(star.y, 70.0f);
}

TEST(MsgStar, AStepThatBeginsBeforeTheFlightMovesItOnlyForTheTimeSinceTheStart) {
    cMsgStar star;
    makeFlying(star, 2.0f, 6.0f, 400, 200);
    star.twinkleAmplitude = 0.0f;
    EXPECT_FLOAT_EQ(star.quietSeconds(), 2.0f) << "a waiting star sleeps until its flight";
    star.update(2.5f);
    EXPECT_FLOAT_EQ(star.x, 50.0f);
    EXPECT_FLOAT_EQ(star.y, 25.0f);
    EXPECT_EQ(star.quietSeconds(), 0.0f) << "a flying star moves every frame";
}

TEST(MsgStar, ALeavingStarBecomesIdleWhenItsFlightEnds) {
    cMsgStar star;
    makeFlying(star, 0.0f, 1.0f, 10, 10);
    star.activeAfterMove = false;
    star.update(0.5f);
    EXPECT_TRUE(star.active);
    star.update(0.6f);
    EXPECT_FALSE(star.active);
    EXPECT_EQ(star.x, 10.0f);
}

}  // namespace
