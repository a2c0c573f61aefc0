#include "world/sprite_text_dimming.h"

#include "settings/app_settings.h"

#include <algorithm>

cSpriteTextDimming::cSpriteTextDimming(const char* name, keslColor fullColor)
    : TzerinSpriteText(name), displayDuration(processDisplayDuration()), baseColor(fullColor) {
    textParams.color = kColorOpaqueBlack;
    textParams.fontName = kFontName;
    textParams.fontSize = baseFontSize;
}

std::int32_t cSpriteTextDimming::displayDurationFor(int seconds) {
    return std::clamp(seconds, kMinDisplaySeconds, kMaxDisplaySeconds) * 1000;
}

std::int32_t cSpriteTextDimming::processDisplayDuration() {
    static const std::int32_t duration = displayDurationFor(cQuoteSettings().durationInSec.get());
    return duration;
}

void cSpriteTextDimming::startFadeIn(std::int32_t minimumHoldMs) {
    calculateSize();
    dimLevel = 0;
    dimState = kFadingIn;
    elapsed = 0;
    holdTime = holdTimeFor(getText().size(), minimumHoldMs);
}

std::int32_t cSpriteTextDimming::holdTimeFor(std::size_t characters, std::int32_t minimumHoldMs) const {
    const std::int32_t hold = std::max(displayDuration, kMinHoldMs) +
                              static_cast<std::int32_t>(characters) * kHoldMsPerTwentyCharacters / 20;
    return std::max(hold, minimumHoldMs);
}

void cSpriteTextDimming::startFadeOut() { dimState = kFadingOut; }

void cSpriteTextDimming::update(float seconds) {
    elapsed += static_cast<std::int32_t>(seconds * 1000.0f);
    TzerinSpriteText::update(seconds);
    stepFade();
}

void cSpriteTextDimming::stepFade() {
    const float level = static_cast<float>(dimLevel) / 100.0f;
    switch (dimState) {
        case kFadingIn:
            textParams.color = scaleColor(baseColor, level);
            textParams.fontSize = baseFontSize * std::clamp(static_cast<float>(dimLevel) / kFullSizeLevel, 0.0f, 1.0f);
            if (dimLevel == kFullLevel) {
                dimState = kHolding;
                elapsed = 0;
            }
            dimLevel = std::min(kFullLevel, dimLevel + kFadeInStep);
            break;
        case kHolding:
            if (elapsed > holdTime) dimState = kFadingOut;
            break;
        case kFadingOut:
            textParams.color = scaleColor(baseColor, level);
            if (dimLevel == 0) dimState = kDone;
            dimLevel = std::max(0, dimLevel - kFadeOutStep);
            textParams.fontSize = baseFontSize * (1.0f + static_cast<float>(kFullLevel - dimLevel) / 100.0f);
            break;
        default:
            break;
    }
}
