// A star of the sky: a dim point that now and then flares up and fades again
// (a twinkle) before a long steady pause. Stars start at random points of
// their cycle so the field never twinkles in step. How a star looks is left to
// the classes below it.
#pragma once

#include "sprites/sprite.h"

class cTwinkleStarSprite : public TzerinSprite {
public:
    static constexpr float kMaxBrightness = 1.0f;

    // Duration and pause are varied per star (±30 % and ±10 %).
    cTwinkleStarSprite(const char* name, float brightness, float amplitude, float duration, float pause);

    // Moves, then follows the twinkle cycle.
    void update(float seconds) override;
    // Between twinkles a star keeps its brightness, and it drifts a pixel
    // only every few seconds: most of the field has nothing to do most frames.
    float quietSeconds() const override;
    // Clamped to 0..1.
    virtual void setBrightness(float value);

    float brightness = 0.0f;
    float baseBrightness = 0.0f;
    float twinkleAmplitude = 0.0f;
    float twinkleDuration = 0.0f;
    float twinklePause = 0.0f;
    float twinkleClock = 0.0f;

private:
    void advanceTwinkleClock(float seconds);
    // 0 at rest, rising to 1 at half the twinkle and back to 0 at its end.
    float twinkleFactor() const;
};
