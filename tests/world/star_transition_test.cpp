#include "support/log_capture.h"
#include "world/msg_star_crowd.h"
#include "world/star_transition.h"

#include <gtest/gtest.h>

namespace {

const keslRect<int> kMonitor{100, 50, 1920, 1080};
constexpr float kStep = 0.04f;

struct GroupSizes {
    size_t both, leaving, arriving, none;
    bool operator==(const GroupSizes& o) const {
        return both == o.both && leaving == o.leaving && arriving == o.arriving && none == o.none;
    }
};

GroupSizes sizesOf(const cStarTransitionEffectBase& effect) {
    return {effect.group(kUsageBoth).size(), effect.group(kUsageLeaving).size(), effect.group(kUsageArriving).size(),
            effect.group(kUsageNone).size()};
}

// Lets a transition play out as the world's frames do.
void playOut(cMsgStarArray& crowd, cStarTransitionEffectBase& effect) {
    while (effect.running) {
        for (auto& star : crowd) star->update(kStep);
        effect.advance(kStep);
    }
}

class StarTransition : public ::testing::Test {
protected:
    std::unique_ptr<cMsgStarArray> crowd = makeMsgStarCrowd();

    template <typename Effect>
    std::unique_ptr<Effect> transitionTo(int pointCount) {
        auto effect = std::make_unique<Effect>(kMonitor, crowd.get());
        effect->startTransition(gridPoints(pointCount));
        return effect;
    }
};

TEST_F(StarTransition, TheFirstTransitionHasOnlyArrivingStarsAndIdleOnes) {
    auto effect = transitionTo<cStarTransitionEffect_Simple>(250);
    EXPECT_EQ(sizesOf(*effect), (GroupSizes{0, 0, 250, 1250}));
    EXPECT_EQ(effect->group(kUsageArriving).front(), (*crowd)[0].get());
    EXPECT_TRUE(effect->running);
    EXPECT_EQ(effect->elapsed, 0.0f);
}

TEST_F(StarTransition, FromSixHundredToFourHundredPointsTwoHundredStarsLeave) {
    playOut(*crowd, *transitionTo<cStarTransitionEffect_Fall>(600));
    LogCapture log;
    auto effect = transitionTo<cStarTransitionEffect_Simple>(400);
    EXPECT_EQ(sizesOf(*effect), (GroupSizes{400, 200, 0, 900}));
    EXPECT_EQ(effect->group(kUsageLeaving).front(), (*crowd)[400].get());
    EXPECT_TRUE(log.contains("number of message star by usage: su_YY=400, su_YN=200, su_NY=0, su_NN=900"));
    EXPECT_TRUE(log.contains("Transition started"));
}

TEST_F(StarTransition, FromFourHundredToSixHundredPointsTwoHundredStarsArrive) {
    playOut(*crowd, *transitionTo<cStarTransitionEffect_Simple>(400));
    LogCapture log;
    auto effect = transitionTo<cStarTransitionEffect_Fall>(600);
    EXPECT_EQ(sizesOf(*effect), (GroupSizes{400, 0, 200, 900}));
    EXPECT_TRUE(log.contains("su_YY=400, su_YN=0, su_NY=200, su_NN=900"));
}

TEST_F(StarTransition, StarIGetsPointIAndAMessageOfMoreThanTheCrowdKeepsItsFirstPoints) {
    const cTargetPoints points = gridPoints(2000);
    cStarTransitionEffect_Fall effect(kMonitor, crowd.get());
    effect.startTransition(points);
    for (int i = 0; i < kMsgStarCount; ++i) {
        const cMsgStar& star = *(*crowd)[i];
        ASSERT_EQ(star.targetX, points[i].x) << i;
        ASSERT_EQ(star.targetY, points[i].y) << i;
        ASSERT_TRUE(star.activeAfterMove) << i;
    }
    playOut(*crowd, effect);
    EXPECT_EQ((*crowd)[1499]->y, static_cast<float>(points[1499].y));
}

TEST_F(StarTransition, SimpleArrivalsWaitVisibleInTheCornerAndDeparturesFlyIntoIt) {
    auto first = transitionTo<cStarTransitionEffect_Simple>(300);
    const cMsgStar& arriving = *(*crowd)[10];
    EXPECT_TRUE(arriving.active);
    EXPECT_EQ(arriving.x, 47.0f);
    EXPECT_EQ(arriving.y, 97.0f);
    for (float t = 0.0f; t + kStep < arriving.m_startMovingAtTime; t += kStep) {
        (*crowd)[10]->update(kStep);
        ASSERT_EQ(arriving.x, 47.0f);
    }
    playOut(*crowd, *first);

    auto second = transitionTo<cStarTransitionEffect_Simple>(100);
    const cMsgStar& leaving = *(*crowd)[200];
    EXPECT_EQ(leaving.targetX, 47);
    EXPECT_EQ(leaving.targetY, 97);
    EXPECT_TRUE(leaving.active);
    EXPECT_FALSE(leaving.activeAfterMove);
    playOut(*crowd, *second);
    EXPECT_FALSE(leaving.active);
    EXPECT_EQ(leaving.x, 47.0f);
}

TEST_F(StarTransition, FallArrivalsDropFromAboveAndDeparturesFallBelowNearTheirColumn) {
    auto first = transitionTo<cStarTransitionEffect_Fall>(300);
    for (int i = 0; i < 300; ++i) {
        const cMsgStar& star = *(*crowd)[i];
        ASSERT_EQ(star.y, 95.0f);
        const int spread = static_cast<int>(star.x) - star.targetX;
        ASSERT_GE(spread, -50);
        ASSERT_LE(spread, 49);
    }
    playOut(*crowd, *first);

    auto second = transitionTo<cStarTransitionEffect_Fall>(100);
    for (int i = 100; i < 300; ++i) {
        const cMsgStar& star = *(*crowd)[i];
        ASSERT_EQ(star.targetY, 1183);
        const int spread = star.targetX - static_cast<int>(star.x);
        ASSERT_GE(spread, -50);
        ASSERT_LE(spread, 49);
    }
    EXPECT_EQ(sizesOf(*second), (GroupSizes{100, 200, 0, 1200}));
}

TEST(FallSpread, CoversMinusFiftyToFortyNine) {
    int lowest = 0;
    int highest = 0;
    for (int i = 0; i < 20000; ++i) {
        const int spread = cStarTransitionEffect_Fall::randomSpread();
        lowest = std::min(lowest, spread);
        highest = std::max(highest, spread);
    }
    EXPECT_EQ(lowest, -50);
    EXPECT_EQ(highest, 49);
}

TEST_F(StarTransition, EveryStarInPlayFliesWithinTheTwentySecondsOverManyTransitions) {
    const int sizes[] = {600, 400, 1500, 0, 37, 900, 900, 1};
    for (int round = 0; round < 40; ++round) {
        const int count = sizes[round % 8];
        auto effect = newTransitionEffect(kMonitor, crowd.get());
        effect->startTransition(gridPoints(count));
        for (int i = 0; i < kMsgStarCount; ++i) {
            const cMsgStar& star = *(*crowd)[i];
            if (!star.active) continue;
            ASSERT_LT(star.m_startMovingAtTime, star.m_endMovingAtTime);
            ASSERT_LE(star.m_endMovingAtTime, 20.0f);
            ASSERT_GE(star.m_startMovingAtTime, 0.0f);
            ASSERT_LT(star.m_startMovingAtTime, 10.0f);
        }
        playOut(*crowd, *effect);
        const cTargetPoints points = gridPoints(count);
        for (int i = 0; i < kMsgStarCount; ++i) {
            const cMsgStar& star = *(*crowd)[i];
            ASSERT_EQ(star.active, i < count) << "round " << round << " star " << i;
            if (i < count) {
                ASSERT_EQ(star.x, static_cast<float>(points[i].x));
            }
        }
    }
}

TEST(NewTransitionEffect, PicksBothEffects) {
    auto crowd = makeMsgStarCrowd();
    int simple = 0;
    int fall = 0;
    for (int i = 0; i < 200; ++i) {
        auto effect = newTransitionEffect(kMonitor, crowd.get());
        ASSERT_EQ(effect->m_particlePtrList, crowd.get());
        if (dynamic_cast<cStarTransitionEffect_Simple*>(effect.get())) ++simple;
        if (dynamic_cast<cStarTransitionEffect_Fall*>(effect.get())) ++fall;
    }
    EXPECT_EQ(simple + fall, 200);
    EXPECT_GT(simple, 50);
    EXPECT_GT(fall, 50);
}

TEST(TransitionClock, RunsForTwentySecondsAndKeepsCounting) {
    cStarTransitionEffect_Simple effect(kMonitor, nullptr);
    LogCapture log;
    effect.startTransition({});
    EXPECT_FALSE(effect.running);
    EXPECT_TRUE(log.contains("#8652: startTransition() particlePtrList is null"));

    effect.running = true;
    effect.advance(19.5f);
    EXPECT_TRUE(effect.running);
    effect.advance(0.5f);
    EXPECT_FALSE(effect.running);
    effect.advance(15.0f);
    EXPECT_FALSE(effect.running);
    EXPECT_FLOAT_EQ(effect.elapsed, 35.0f);
}

}  // namespace
