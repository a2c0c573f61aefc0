#include "world/twinkle_star_sprite.h"

#include "sprites/random.h"
#include "util/log.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr float kDurationSpreadLow = 0.7f;
constexpr float kDurationSpreadHigh = 1.3f;
constexpr float kPauseSpreadLow = 0.9f;
constexpr float kPauseSpreadHigh = 1.1f;
constexpr float kCyclesWrappedBySubtraction = 64.0f;

float clampedBrightness(float value) { return std::clamp(value, 0.0f, cTwinkleStarSprite::kMaxBrightness); }
}  // namespace

cTwinkleStarSprite::cTwinkleStarSprite(const char* name, float aBrightness, float amplitude, float duration,
                                       float pause)
    : TzerinSprite(name), brightness(aBrightness), baseBrightness(aBrightness), twinkleAmplitude(amplitude) {
    twinkleDuration = keslRandomFloat(kDurationSpreadLow * duration, kDurationSpreadHigh * duration);
    twinklePause = keslRandomFloat(kPauseSpreadLow * pause, kPauseSpreadHigh * pause);
    twinkleClock = keslRandomFloat(0.0f, twinkleDuration + twinklePause);
    brightness = clampedBrightness(aBrightness);
}

void cTwinkleStarSprite::setBrightness(float value) { brightness = clampedBrightness(value); }

void cTwinkleStarSprite::update(float seconds) {
    TzerinSprite::update(seconds);
    advanceTwinkleClock(seconds);
    const float next = twinkleAmplitude * twinkleFactor() + baseBrightness;
    if (next > kMaxBrightness) {
        logError("twinkleUpdate brightness:%2.2f maxAllowed:%3.3f", next, kMaxBrightness);
    }
    if (next != brightness) {
        setBrightness(next);
    }
}

float cTwinkleStarSprite::quietSeconds() const {
    if (highlightFrames > 0) return 0.0f;
    const float cycle = twinkleDuration + twinklePause;
    float steady = std::numeric_limits<float>::infinity();
    if (cycle > 0.0f && twinkleAmplitude != 0.0f) {
        if (twinkleClock <= twinkleDuration) return 0.0f;
        // The next twinkle begins when the clock wraps past the cycle.
        steady = cycle - twinkleClock;
    }
    return std::min(steady, secondsToNextPixel());
}

void cTwinkleStarSprite::advanceTwinkleClock(float seconds) {
    const float cycle = twinkleDuration + twinklePause;
    twinkleClock += seconds;
    if (cycle <= 0.0f) {
        // A cycle of no length would never wrap; such a star simply rests.
        twinkleClock = 0.0f;
        return;
    }
    // A huge step (a resumed machine, a bad clock) must not turn into millions
    // of subtractions, nor stall where a float no longer changes by one cycle.
    if (twinkleClock > kCyclesWrappedBySubtraction * cycle) {
        twinkleClock = std::fmod(twinkleClock, cycle);
    }
    while (twinkleClock > cycle) {
        twinkleClock -= cycle;
    }
}

float cTwinkleStarSprite::twinkleFactor() const {
    const float t = twinkleClock;
    const float d = twinkleDuration;
    if (d <= 0.0f || t > d) return 0.0f;
    if (t <= d / 2.0f) return 2.0f * t / d;
    return 2.0f - 2.0f * t / d;
}
