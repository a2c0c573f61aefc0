#include "world/msg_star.h"

#include "sprites/random.h"
#include "util/log.h"

#include <algorithm>
#include <limits>

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
    if (!moveStarted && transitionClock > m_startMovingAtTime) {
        startFlight(transitionClock - m_startMovingAtTime, seconds);
    }
    if (!moveEnded && transitionClock >= m_endMovingAtTime) endFlight();
    cStarSpriteWithPixels::update(seconds);
}

float cMsgStar::quietSeconds() const {
    if (!active) return std::numeric_limits<float>::infinity();
    if (moveStarted && !moveEnded) return 0.0f;
    const float quiet = cStarSpriteWithPixels::quietSeconds();
    return moveStarted ? quiet : std::min(quiet, m_startMovingAtTime - transitionClock);
}

void cMsgStar::startFlight(float flownSeconds, float stepSeconds) {
    moveStarted = true;
    const float flightSeconds = m_endMovingAtTime - m_startMovingAtTime;
    if (flightSeconds <= 0.0f) {
        // The schedule is broken; the end of the flight snaps the star home.
        logError("#2351: cMsgStar End-Start move time");
        return;
    }
    speedX = (static_cast<float>(targetX) - x) / flightSeconds;
    speedY = (static_cast<float>(targetY) - y) / flightSeconds;
    // The step moves the star by its whole length, but the star waited for
    // part of it (a star that slept until its start may have waited seconds):
    // it sets off from that far back along its line.
    const float waited = stepSeconds - std::clamp(flownSeconds, 0.0f, stepSeconds);
    x -= speedX * waited;
    y -= speedY * waited;
}

void cMsgStar::endFlight() {
    speedX = 0.0f;
    speedY = 0.0f;
    x = static_cast<float>(targetX);
    y = static_cast<float>(targetY);
    moveEnded = true;
    active = activeAfterMove;
}
