#include "sprites/particle.h"

#include "sprites/move_restriction.h"
#include "sprites/random.h"

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
