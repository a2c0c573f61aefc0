// The digital clock that drifts across the sky. It reads its settings once,
// formats the local time when made and then on every fourth frame only (the text changes at most
// once a second) and, when asked to, lets its colour drift slowly towards a
// new bright colour every few seconds.
#pragma once

#include "settings/key_value.h"
#include "settings/app_settings.h"
#include "sprites/sprite_text.h"

#include <cstdint>
#include <string>

class cClockSprite : public TzerinSpriteText {
public:
    static constexpr std::uint32_t kUpdatesPerFormatting = 4;
    static constexpr std::uint32_t kUpdatesPerColorStep = 14;
    static constexpr std::uint32_t kUpdatesPerNewTarget = 300;
    // Share of the way to the target colour covered by one colour step.
    static constexpr float kColorStepShare = 0.1f;

    explicit cClockSprite(keslKeyValue& store = settingsGroups::defaultStore());

    void update(float seconds) override;

    const std::string& getTimeFormat() const { return m_timeFormat; }
    keslColor getTargetColor() const { return m_targetColor; }
    std::uint32_t getUpdateCounter() const { return m_updateCounter; }
    std::int64_t getLastFormattingTime() const { return m_lastFormattingTime; }

private:
    void formatTime();
    void driftColor();

    std::uint32_t m_updateCounter = 0;
    keslColor m_targetColor = 0;
    bool m_autoColor = false;
    std::string m_timeFormat;
    std::string m_clockText;
    std::int64_t m_lastFormattingTime = 0;
    // Whether the text shows the time of m_lastFormattingTime.
    bool m_formatted = false;
    bool m_format24H = false;
    bool m_showSeconds = false;
};

// A random bright colour: red, green and blue each 10..249 before the whole
// is scaled to a length of 250, opaque.
keslColor randomClockColor();
