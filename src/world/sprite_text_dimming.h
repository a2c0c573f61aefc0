// A text that appears by growing from nothing while it brightens, holds for a
// time that grows with its length, and vanishes by growing to twice its size
// while it darkens. Each step of the fade is one update, so the fade's speed
// follows the frame rate exactly as the rest of the sky does.
#pragma once

#include "platform/color.h"
#include "sprites/sprite_text.h"

#include <cstddef>
#include <cstdint>

class cSpriteTextDimming : public TzerinSpriteText {
public:
    enum DimState : std::int32_t { kIdle = 0, kFadingIn = 1, kHolding = 2, kFadingOut = 3, kDone = 4 };

    static constexpr const char* kFontName = "Comic Sans MS";
    static constexpr float kBaseFontSize = 14.0f;
    static constexpr std::int32_t kInitialHoldMs = 1500;
    static constexpr int kMinDisplaySeconds = 4;
    static constexpr int kMaxDisplaySeconds = 90;
    static constexpr std::int32_t kMinHoldMs = 4000;
    // 1600 ms per 20 characters: 80 ms for each character to be read.
    static constexpr std::int32_t kHoldMsPerTwentyCharacters = 1600;
    static constexpr std::int32_t kFullLevel = 100;
    static constexpr std::int32_t kFadeInStep = 2;
    static constexpr std::int32_t kFadeOutStep = 12;
    // The level at which a fading-in text has reached its full size.
    static constexpr float kFullSizeLevel = 30.0f;

    cSpriteTextDimming(const char* name, keslColor baseColor);

    void update(float seconds) override;
    // Starts growing in; the hold that follows lasts at least minimumHoldMs.
    virtual void startFadeIn(std::int32_t minimumHoldMs);
    virtual void startFadeOut();

    // How long a text of this many characters holds after growing in.
    std::int32_t holdTimeFor(std::size_t characters, std::int32_t minimumHoldMs) const;

    // quoteDurationInSec limited to 4..90 seconds, in milliseconds.
    static std::int32_t displayDurationFor(int seconds);
    // The setting as the first fading text of the process read it; later
    // changes to the setting take effect in the next process.
    static std::int32_t processDisplayDuration();

    std::int32_t displayDuration;
    std::int32_t holdTime = kInitialHoldMs;
    std::int32_t dimState = kIdle;
    keslColor baseColor;
    std::int32_t dimLevel = 0;
    float baseFontSize = kBaseFontSize;
    std::int32_t elapsed = 0;

protected:
    // The fade alone, without the base movement.
    void stepFade();
};
