#include "world/msg_star.h"

#include "sprites/random.h"
#include "util/log.h"

cMsgStar::cMsgStar()
    : cStarSpriteWithPixels(kName, keslRandomFloat(kMinBrightness, kMaxBrightness), kTwinkleAmplitude,
                            kTwinkleDurationSeconds, kTwinklePauseSeconds) {}

void cMsgStar::draw() {
    if (!active) return;
    cStarSpriteWithPixels::draw();
}

keslRect<int> cMsgStar::coverage() { return active ? cStarSpriteWithPixels::coverage() : keslRect<int>(); }

void cMsgStar::update(float seconds) {
    if (!active) return;
    transitionClock += seconds;
    if (!moveStarted && transitionClock > m_startMovingAtTime) startFlight();
    if (!moveEnded && transitionClock >= m_endMovingAtTime) endFlight();
    cStarSpriteWithPixels::update(seconds);
}

void cMsgStar::startFlight() {
    moveStarted = true;
    const float flightSeconds = m_endMovingAtTime - m_startMovingAtTime;
    if (flightSeconds <= 0.0f) {
        // The schedule is broken; the end of the flight snaps the star home.
        logError("#2351: cMsgStar End-Start move time");
        return;
    }
    speedX = (static_cast<float>(targetX) - x) / flightSeconds;
    speedY = (static_cast<float>(targetY) - y) / flightSeconds;
}

void cMsgStar::endFlight() {
    speedX = 0.0f;
    speedY = 0.0f;
    x = static_cast<float>(targetX);
    y = static_cast<float>(targetY);
    moveEnded = true;
    active = activeAfterMove;
}
