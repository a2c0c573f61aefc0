#include "settings/clock_page_logic.h"

int clockFontSizeIndexOf(const std::string& stored) {
    return clockListIndexOf(kClockFontSizes, stored, [](const char* text) { return text; });
}

int clockSpeedIndexOf(const std::string& stored) {
    return clockListIndexOf(kClockSpeeds, stored, [](const keslClockSpeed& speed) { return speed.text; });
}

keslClockEnabling clockEnabling(bool showClock, bool autoColor) { return {showClock, showClock && !autoColor}; }
