#include "sprites/move_restriction.h"
#include "sprites/particle.h"
#include "sprites/random.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Counts how often it was applied and with which highlight flag.
class CountingRestriction : public TzerinMoveRestriction {
public:
    void apply(TzerinParticle*) override {
        ++applied;
        lastHighlight = highlight;
    }
    int applied = 0;
    bool lastHighlight = false;
};

TEST(Particle, AliasesFollowLeftAndTopEvenAfterCopying) {
    TzerinParticle a;
    a.x = 5.0f;
    a.y = 7.0f;
    EXPECT_FLOAT_EQ(a.left, 5.0f);
    EXPECT_FLOAT_EQ(a.top, 7.0f);
    TzerinParticle b(a);
    b.x = 1.0f;
    EXPECT_FLOAT_EQ(b.left, 1.0f);
    EXPECT_FLOAT_EQ(a.left, 5.0f);
}

TEST(Particle, ZeroTimeOrZeroSpeedDoesNotMoveNorCountTowardsRestrictions) {
    TzerinParticle p;
    CountingRestriction restriction;
    p.addRestriction(&restriction);
    p.speedX = 10.0f;
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(p.move(0.0f));
    p.speedX = 0.0f;
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(p.move(0.04f));
    EXPECT_FLOAT_EQ(p.left, 0.0f);
    EXPECT_EQ(restriction.applied, 0);
}

TEST(Particle, MovesByEulerStep) {
    TzerinParticle p;
    p.left = 10.0f;
    p.top = 20.0f;
    p.speedX = 25.0f;
    p.speedY = -50.0f;
    EXPECT_TRUE(p.move(0.04f));
    EXPECT_FLOAT_EQ(p.left, 11.0f);
    EXPECT_FLOAT_EQ(p.top, 18.0f);
}

TEST(Particle, RestrictionsRunOnEveryThirdMovingStep) {
    TzerinParticle p;
    CountingRestriction first;
    CountingRestriction second;
    p.addRestriction(&first);
    p.addRestriction(&second);
    p.highlightMoves = true;
    p.speedX = 1.0f;
    std::vector<int> appliedAfter;
    for (int i = 0; i < 9; ++i) {
        p.move(0.04f);
        appliedAfter.push_back(first.applied);
    }
    EXPECT_EQ(appliedAfter, (std::vector<int>{0, 0, 1, 1, 1, 2, 2, 2, 3}));
    EXPECT_EQ(second.applied, 3);
    EXPECT_TRUE(first.lastHighlight);
}

TEST(Particle, RandomPositionKeepsTheRectangleInsideTheBounds) {
    TzerinParticle p;
    p.width = 10.0f;
    p.height = 10.0f;
    for (int i = 0; i < 2000; ++i) {
        p.setRandomPosition(0.0f, 0.0f, 100.0f, 50.0f);
        ASSERT_GE(p.left, 0.0f);
        ASSERT_LT(p.left, 90.0f);
        ASSERT_GE(p.top, 0.0f);
        ASSERT_LT(p.top, 40.0f);
    }
    p.setRandomPosition(keslPoint<float>{200.0f, 300.0f}, keslPoint<float>{220.0f, 310.0f});
    EXPECT_GE(p.left, 200.0f);
    EXPECT_LT(p.left, 210.0f);
    EXPECT_GE(p.top, 300.0f);
    EXPECT_LT(p.top, 300.0f + 1e-3f);
}

TEST(RandomFloat, StaysInItsHalfOpenRange) {
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int i = 0; i < 20000; ++i) {
        const float value = keslRandomFloat(-3.0f, 5.0f);
        ASSERT_GE(value, -3.0f);
        ASSERT_LT(value, 5.0f);
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_LT(lowest, -2.9f);
    EXPECT_GT(highest, 4.9f);
}

// ---- restrictions ------------------------------------------------------------

TzerinParticle particleAt(float left, float top, float width, float height, float speedX, float speedY) {
    TzerinParticle p;
    p.left = left;
    p.top = top;
    p.width = width;
    p.height = height;
    p.speedX = speedX;
    p.speedY = speedY;
    return p;
}

TEST(BounceRestriction, TurnsBackAtTheLeftEdgeCountingTruncation) {
    TzerinMoveRestriction_BounceInsideRect bounce;
    bounce.bounds = keslRect<int>(0, 0, 100, 100);
    for (float left : {-0.5f, 0.9f}) {
        TzerinParticle p = particleAt(left, 50, 5, 5, -10, 0);
        bounce.apply(&p);
        EXPECT_FLOAT_EQ(p.speedX, 10.0f) << "left " << left;
        EXPECT_FLOAT_EQ(p.left, left);
    }
    TzerinParticle inside = particleAt(1.0f, 50, 5, 5, -10, 0);
    bounce.apply(&inside);
    EXPECT_FLOAT_EQ(inside.speedX, -10.0f);
}

TEST(BounceRestriction, LeavesAParticleThatIsAlreadyComingBack) {
    TzerinMoveRestriction_BounceInsideRect bounce;
    bounce.bounds = keslRect<int>(0, 0, 100, 100);
    TzerinParticle p = particleAt(120, 50, 5, 5, -10, 3);
    bounce.apply(&p);
    EXPECT_FLOAT_EQ(p.speedX, -10.0f);
    EXPECT_FLOAT_EQ(p.speedY, 3.0f);
}

TEST(BounceRestriction, CornerReversesBothSpeedsAndHighlightsOnlyWhenAsked) {
    TzerinMoveRestriction_BounceInsideRect bounce;
    bounce.bounds = keslRect<int>(10, 20, 100, 50);  // right 120, bottom 60
    TzerinParticle p = particleAt(115, 55, 5, 5, 4, 6);
    bounce.apply(&p);
    EXPECT_FLOAT_EQ(p.speedX, -4.0f);
    EXPECT_FLOAT_EQ(p.speedY, -6.0f);
    EXPECT_EQ(p.highlightFrames, 0);

    bounce.highlight = true;
    p.speedX = 4;
    bounce.apply(&p);
    EXPECT_EQ(p.highlightFrames, 30);
}

TEST(WrapRestriction, ReentersFromTheOppositeEdge) {
    TzerinMoveRestriction_ContinueInsideRect wrap;
    wrap.bounds = keslRect<int>(0, 0, 800, 600);
    TzerinParticle leftward = particleAt(-8, 100, 7, 7, -5, 0);
    wrap.apply(&leftward);
    EXPECT_FLOAT_EQ(leftward.left, 800.0f);

    TzerinParticle rightward = particleAt(800, 100, 7, 7, 5, 0);
    wrap.apply(&rightward);
    EXPECT_FLOAT_EQ(rightward.left, 0.0f);

    TzerinParticle upward = particleAt(100, -7, 7, 7, 0, -5);
    wrap.apply(&upward);
    EXPECT_FLOAT_EQ(upward.top, 600.0f);

    TzerinParticle downward = particleAt(100, 600, 7, 7, 0, 5);
    wrap.apply(&downward);
    EXPECT_FLOAT_EQ(downward.top, 0.0f);
    EXPECT_FLOAT_EQ(downward.speedY, 5.0f);
}

TEST(WrapRestriction, PartlyVisibleOrStillParticlesStay) {
    TzerinMoveRestriction_ContinueInsideRect wrap;
    wrap.bounds = keslRect<int>(0, 0, 800, 600);
    TzerinParticle partly = particleAt(-6, 100, 7, 7, -5, 0);  // (int)(1.0) > 0: still partly visible
    wrap.apply(&partly);
    EXPECT_FLOAT_EQ(partly.left, -6.0f);

    for (float left : {-50.0f, 900.0f}) {
        TzerinParticle still = particleAt(left, 100, 7, 7, 0, 1);
        wrap.apply(&still);
        EXPECT_FLOAT_EQ(still.left, left);
    }
}

TEST(WrapRestriction, AppliedThroughMoveOnlyEveryThirdStep) {
    TzerinMoveRestriction_ContinueInsideRect wrap;
    wrap.bounds = keslRect<int>(0, 0, 800, 600);
    TzerinParticle p = particleAt(799, 100, 7, 7, 25, 0);
    p.addRestriction(&wrap);
    p.move(0.04f);  // 800
    p.move(0.04f);  // 801
    EXPECT_FLOAT_EQ(p.left, 801.0f);
    p.move(0.04f);  // 802, then wrapped
    EXPECT_FLOAT_EQ(p.left, 0.0f);
}

}  // namespace
