// A sprite's look is a number that changes whenever what it would draw
// changes, so that a frame redraws only sprites whose look moved. Sprites and
// the sky's composite objects fold their parts into it the same way.
#pragma once

#include <cstdint>

// Folds one more value into a sprite's look (a 64-bit FNV-style mix).
constexpr std::uint64_t keslMixLook(std::uint64_t look, std::uint64_t value) {
    return (look ^ value) * 0x100000001B3ull + 0x9E3779B97F4A7C15ull;
}
