#include "sprites/particle.h"

#include "sprites/move_restriction.h"
#include "sprites/random.h"

#include <algorithm>
#include <cmath>
#include <limits>

bool TzerinParticle::move(float seconds) {
    if (seconds == 0.0f) return false;
    if (speedX == 0.0f && speedY == 0.0f) return false;
    left += speedX * seconds;
    top += speedY * seconds;
    if (!restrictionsEnabled) return true;
    if (++m_restrictionCounter < kMovesPerRestrictionCheck) return true;
    m_restrictionCounter = 0;
    for (TzerinMoveRestriction* restriction : restrictions) {
        restriction->highlight = highlightMoves;
        restriction->apply(this);
    }
    return true;
}

namespace {
// Seconds until static_cast<int>(position) changes at this speed; 0 for a
// negative position, where truncation runs the other way.
float secondsToNextWhole(float position, float speed) {
    if (speed == 0.0f) return std::numeric_limits<float>::infinity();
    if (position < 0.0f) return 0.0f;
    const float whole = std::floor(position);
    return speed > 0.0f ? (whole + 1.0f - position) / speed : (position - whole) / -speed;
}
}  // namespace

float TzerinParticle::secondsToNextPixel() const {
    if (restrictionsEnabled) {
        for (const TzerinMoveRestriction* restriction : restrictions) {
            if (restriction->mayAct(*this)) return 0.0f;
        }
    }
    return std::min(secondsToNextWhole(left, speedX), secondsToNextWhole(top, speedY));
}

void TzerinParticle::setRandomPosition(float boundLeft, float boundTop, float boundRight, float boundBottom) {
    top = keslRandomFloat(boundTop, boundBottom - height);
    left = keslRandomFloat(boundLeft, boundRight - width);
}

void TzerinParticle::setRandomPosition(keslPoint<float> topLeft, keslPoint<float> bottomRight) {
    setRandomPosition(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

void TzerinParticle::addRestriction(TzerinMoveRestriction* restriction) {
    restrictions.push_back(restriction);
    restrictionsEnabled = true;
}
