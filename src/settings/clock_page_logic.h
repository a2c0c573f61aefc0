// The Digital clock page's choices: the two lists it offers, which entry a
// stored text selects, and which controls a check box switches off.
#pragma once

#include <array>
#include <string>

inline constexpr std::array<const char*, 13> kClockFontSizes{
    "10", "14", "18", "22", "26", "30", "34", "38", "42", "48", "52", "60", "70"};

struct keslClockSpeed {
    const char* text;  // what the list shows and the file keeps
    float pixelsPerSecond;
};

inline constexpr std::array<keslClockSpeed, 11> kClockSpeeds{{
    {"0", 0.0f}, {"0.2", 0.2f}, {"0.5", 0.5f}, {"1", 1.0f}, {"2", 2.0f}, {"4", 4.0f},
    {"8", 8.0f}, {"15", 15.0f}, {"30", 30.0f}, {"60", 60.0f}, {"100", 100.0f},
}};

// The index of the entry that equals the stored text exactly, or -1: a value
// the list does not offer selects nothing and so is kept as it is on OK.
template <typename List, typename TextOf>
int clockListIndexOf(const List& list, const std::string& stored, TextOf textOf) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (stored == textOf(list[i])) return static_cast<int>(i);
    }
    return -1;
}
int clockFontSizeIndexOf(const std::string& stored);
int clockSpeedIndexOf(const std::string& stored);

struct keslClockEnabling {
    bool options;  // 24 hours, seconds, automatic colour, both lists
    bool color;    // "Select color" and the swatch
};
keslClockEnabling clockEnabling(bool showClock, bool autoColor);
