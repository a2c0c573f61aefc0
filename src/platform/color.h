// Colours travel through the whole system as one 32-bit value, 0xRRGGBBAA,
// because settings store them as a single signed decimal and sprites fade
// them by scaling. Drawing ignores the alpha byte; pixels read back are opaque.
#pragma once

#include <cstdint>

using keslColor = std::uint32_t;

constexpr keslColor kColorOpaqueRed = 0xFF0000FFu;
constexpr keslColor kColorOpaqueBlack = 0x000000FFu;

constexpr std::uint8_t colorRed(keslColor c) { return static_cast<std::uint8_t>(c >> 24); }
constexpr std::uint8_t colorGreen(keslColor c) { return static_cast<std::uint8_t>(c >> 16); }
constexpr std::uint8_t colorBlue(keslColor c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t colorAlpha(keslColor c) { return static_cast<std::uint8_t>(c); }

constexpr keslColor makeColor(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
    return (keslColor{r} << 24) | (keslColor{g} << 16) | (keslColor{b} << 8) | keslColor{a};
}

// Red, green and blue multiplied by factor, each clamped to 0..255 and
// truncated; alpha kept.
keslColor scaleColor(keslColor color, float factor);

// A channel value times a factor, truncated, clamped to 0..255.
std::uint8_t scaleChannel(std::uint8_t value, float factor);
