#include "world/star_transition.h"

#include "sprites/random.h"
#include "util/log.h"

cStarTransitionEffectBase::cStarTransitionEffectBase(const keslRect<int>& aBounds, cMsgStarArray* stars)
    : bounds(aBounds), m_particlePtrList(stars) {}

void cStarTransitionEffectBase::startTransition(const cTargetPoints& points) {
    if (m_particlePtrList == nullptr) {
        logError("#8652: startTransition() particlePtrList is null");
        return;
    }
    assignTargets(points);
    sortIntoGroups();
    for (int kind = kUsageBoth; kind <= kUsageNone; ++kind) {
        arrangeGroup(m_groups[kind], static_cast<cStarUsage>(kind));
    }
    logInfo("number of message star by usage: su_YY=%i, su_YN=%i, su_NY=%i, su_NN=%i",
            static_cast<int>(m_groups[kUsageBoth].size()), static_cast<int>(m_groups[kUsageLeaving].size()),
            static_cast<int>(m_groups[kUsageArriving].size()), static_cast<int>(m_groups[kUsageNone].size()));
    scheduleStarsInPlay(static_cast<int>(points.size()));
    elapsed = 0.0f;
    running = true;
    logInfo("Transition started");
}

void cStarTransitionEffectBase::advance(float seconds) {
    elapsed += seconds;
    if (running) running = elapsed < m_animationDuration_inSec;
}

void cStarTransitionEffectBase::assignTargets(const cTargetPoints& points) {
    const int pointCount = static_cast<int>(points.size());
    for (int i = 0; i < particleCount; ++i) {
        cMsgStar& star = *(*m_particlePtrList)[i];
        // Stars without a point keep their old target: a leaving star's effect decides where it goes.
        if (i < pointCount) {
            star.targetX = points[i].x;
            star.targetY = points[i].y;
        }
        star.activeAfterMove = i < pointCount;
    }
}

void cStarTransitionEffectBase::sortIntoGroups() {
    // Room for the whole crowd in every group: growing them message by message allocated.
    for (cMsgStarList& group : m_groups) {
        group.clear();
        group.reserve(static_cast<size_t>(particleCount));
    }
    for (int i = 0; i < particleCount; ++i) {
        cMsgStar* star = (*m_particlePtrList)[i].get();
        // active is still the old message's state here.
        if (star->active) {
            m_groups[star->activeAfterMove ? kUsageBoth : kUsageLeaving].push_back(star);
        } else {
            m_groups[star->activeAfterMove ? kUsageArriving : kUsageNone].push_back(star);
        }
    }
}

void cStarTransitionEffectBase::scheduleStarsInPlay(int pointCount) {
    for (int i = 0; i < particleCount; ++i) {
        cMsgStar& star = *(*m_particlePtrList)[i];
        // Every message uses a prefix of the crowd, so the first star out of play ends the crowd in play.
        if (!star.active && !star.activeAfterMove) break;
        const float start = keslRandomUnit() * kStartShare * m_animationDuration_inSec;
        const float end =
            (keslRandomUnit() * kFlightShareRange + kMinFlightShare) * (m_animationDuration_inSec - start) + start;
        if (!(start < end && end <= m_animationDuration_inSec)) {
            logError("#9682: startTransition_impl()");
        }
        star.m_startMovingAtTime = start;
        star.m_endMovingAtTime = end;
        star.moveStarted = false;
        star.moveEnded = false;
        star.transitionClock = 0.0f;
        star.active = true;
        star.activeAfterMove = i < pointCount;
    }
}

void cStarTransitionEffect_Simple::arrangeGroup(cMsgStarList stars, cStarUsage kind) {
    const int cornerX = bounds.left - kCornerInset;
    const int cornerY = bounds.top - kCornerInset;
    for (cMsgStar* star : stars) {
        switch (kind) {
            case kUsageBoth:
                break;
            case kUsageLeaving:
                star->targetX = cornerX;
                star->targetY = cornerY;
                star->activeAfterMove = false;
                break;
            case kUsageArriving:
                star->x = static_cast<float>(cornerX);
                star->y = static_cast<float>(cornerY);
                star->active = false;
                star->activeAfterMove = true;
                break;
            case kUsageNone:
                star->x = static_cast<float>(cornerX);
                star->y = static_cast<float>(cornerY);
                star->active = false;
                star->activeAfterMove = false;
                break;
        }
    }
}

int cStarTransitionEffect_Fall::randomSpread() {
    return -kSpreadPixels - static_cast<int>(keslRandomUnit() * static_cast<float>(-2 * kSpreadPixels));
}

void cStarTransitionEffect_Fall::arrangeGroup(cMsgStarList stars, cStarUsage kind) {
    if (kind != kUsageLeaving && kind != kUsageArriving) return;
    for (cMsgStar* star : stars) {
        const int spread = randomSpread();
        if (kind == kUsageLeaving) {
            star->targetX = static_cast<int>(star->x) + spread;
            star->targetY = bounds.getBottom() + kBelowBottom;
            star->activeAfterMove = false;
        } else {
            star->x = static_cast<float>(star->targetX + spread);
            star->y = static_cast<float>(bounds.top - kAboveTop);
            star->activeAfterMove = true;
        }
    }
}

std::unique_ptr<cStarTransitionEffectBase> newTransitionEffect(const keslRect<int>& bounds, cMsgStarArray* stars) {
    const int draw = static_cast<int>(keslRandomUnit() * 1000.0f);
    if (draw % 2 == 0) return std::make_unique<cStarTransitionEffect_Simple>(bounds, stars);
    return std::make_unique<cStarTransitionEffect_Fall>(bounds, stars);
}
