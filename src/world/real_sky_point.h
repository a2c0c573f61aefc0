// A point of light of the real sky as a frame shows it: a star or a planet
// at its rounded pixel, its colour and steady level, and what its twinkle
// needs (its own phases, rates and moment to step, and the level it shows).
#pragma once

#include "world/real_sky_palette.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

struct sRealSkyPoint {
    std::int16_t x;
    std::int16_t y;
    std::uint8_t colourClass;
    float level;          // steady brightness level
    float twinkleLevels;  // amplitude of the twinkle, in levels
    std::uint16_t star;   // catalogue index, or planet number
    // The star's own flicker: two waves, their phases in turns and rates in turns per second.
    float phase1, phase2, rate1, rate2;
    float stagger;  // in turns of a twinkle step: when this star steps, one of a few moments
    std::uint8_t shown = 0;  // the palette level drawn
    std::int32_t step = -1;  // the twinkle step shown was worked out for
};

// The palette level nearest a brightness level.
inline int realSkyLevelIndex(float level) {
    return std::clamp(static_cast<int>(std::lround(level)), 0, cRealSkyPalette::kLevels - 1);
}
