// A transition moves the crowd of message stars from the old message to the
// new one. It hands out the new targets, sorts the stars by whether they take
// part in the old and in the new message, lets the effect prepare the stars
// that leave or arrive, and gives every star in play its own flight window
// within the fixed animation time. The effects differ only in where leaving
// stars go and arriving stars come from.
#pragma once

#include "system/rect.h"
#include "world/msg_star.h"
#include "world/text_projector.h"

#include <memory>
#include <vector>

using cMsgStarList = std::vector<cMsgStar*>;

// Whether a star takes part in the old message and in the new one.
enum cStarUsage : int {
    kUsageBoth = 0,      // YY: flies from its old place to its new one
    kUsageLeaving = 1,   // YN
    kUsageArriving = 2,  // NY
    kUsageNone = 3,      // NN
};

class cStarTransitionEffectBase {
public:
    static constexpr float m_animationDuration_inSec = 20.0f;
    // Flights start within the first half of the animation time.
    static constexpr float kStartShare = 0.5f;
    // A flight takes 40 % to 100 % of what is left after its start.
    static constexpr float kMinFlightShare = 0.4f;
    static constexpr float kFlightShareRange = 0.6f;

    // The stars stay the world's; bounds is the main monitor.
    cStarTransitionEffectBase(const keslRect<int>& bounds, cMsgStarArray* stars);
    virtual ~cStarTransitionEffectBase() = default;
    cStarTransitionEffectBase(const cStarTransitionEffectBase&) = delete;
    cStarTransitionEffectBase& operator=(const cStarTransitionEffectBase&) = delete;

    // The list is the effect's own copy.
    virtual void arrangeGroup(cMsgStarList stars, cStarUsage kind) = 0;

    // Star i takes point i; stars beyond the points leave or stay out.
    void startTransition(const cTargetPoints& points);
    // One frame of the transition's own clock.
    void advance(float seconds);

    const cMsgStarList& group(cStarUsage kind) const { return m_groups[kind]; }

    keslRect<int> bounds;
    float elapsed = 0.0f;
    bool running = false;
    cMsgStarArray* m_particlePtrList;
    int particleCount = kMsgStarCount;

private:
    void assignTargets(const cTargetPoints& points);
    void sortIntoGroups();
    void scheduleStarsInPlay(int pointCount);

    cMsgStarList m_groups[4];
};

// Leaving stars fly into the monitor's top-left corner; arriving ones start there.
class cStarTransitionEffect_Simple : public cStarTransitionEffectBase {
public:
    // A 7x7 star placed here has its centre on the monitor's top-left pixel.
    static constexpr int kCornerInset = 3;

    using cStarTransitionEffectBase::cStarTransitionEffectBase;
    void arrangeGroup(cMsgStarList stars, cStarUsage kind) override;
};

// Leaving stars fall out of the bottom; arriving ones drop in from the top,
// each drifting sideways by up to 50 pixels.
class cStarTransitionEffect_Fall : public cStarTransitionEffectBase {
public:
    static constexpr int kBelowBottom = 3;
    static constexpr int kAboveTop = 5;
    static constexpr int kSpreadPixels = 50;

    using cStarTransitionEffectBase::cStarTransitionEffectBase;
    void arrangeGroup(cMsgStarList stars, cStarUsage kind) override;

    // An integer from -50 to 49, fresh for every star.
    static int randomSpread();
};

// Either effect with even odds.
std::unique_ptr<cStarTransitionEffectBase> newTransitionEffect(const keslRect<int>& bounds, cMsgStarArray* stars);
