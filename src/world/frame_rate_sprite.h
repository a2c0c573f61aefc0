// A diagnostic label that reports how many frames per second the sky really
// gets and when the program was built. It measures over a hundred frames at a
// time so that one late timer does not make the figure jump.
#pragma once

#include "sprites/sprite_text.h"

#include <cstdint>
#include <string>

class cFrameRateSprite : public TzerinSpriteText {
public:
    static constexpr std::uint32_t kUpdatesPerMeasurement = 100;
    static constexpr keslColor kTextColor = 0x808080FFu;
    static constexpr float kFontSize = 18.0f;
    static constexpr const char* kInitialText = "frame rate (wait...)";

    cFrameRateSprite();

    void update(float seconds) override;

    int getFramesPerSecond() const { return m_framesPerSecond; }
    // Appended at the end of the label.
    void setExtraText(const std::string& text) { m_extraText = text; }

private:
    void report();

    double m_stopwatchStart;
    std::uint32_t m_updateCounter = 0;
    int m_framesPerSecond = 0;
    std::string m_extraText;
};
