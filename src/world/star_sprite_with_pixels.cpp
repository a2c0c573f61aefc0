#include "world/star_sprite_with_pixels.h"

#include "platform/color.h"
#include "platform/window.h"
#include "system/rect_ops.h"
#include "util/log.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
std::atomic<int> g_pixelStars{0};

// A row further from the centre loses a quarter of full brightness.
constexpr long kArmFallOffPerRowHundredths = 25;
constexpr long kPeakValue = 255L * 7L;
// Diagonal pixels get half, shared by their distance.
constexpr long kDiagonalDivisor = 2;
constexpr long kBlueOnDiagonals = 4;
constexpr long kBlueOnAxesTenths = 14;
}  // namespace

cStarSpriteWithPixels::cStarSpriteWithPixels(const char* name, float aBrightness, float amplitude, float duration,
                                             float pause)
    : cTwinkleStarSprite(name, aBrightness, amplitude, duration, pause), keslInstanceCounterPattern(g_pixelStars) {
    if (++m_instanceCounter == 1) {
        logInfo("First cStarSpriteWithPixels create. Will create cStarPalette\n");
        buildPalette();
    }
}

cStarSpriteWithPixels::~cStarSpriteWithPixels() {
    if (m_instanceCounter.load() == 1) {
        cStarPalette::destroyCurrent();
        logInfo("Last cStarSpriteWithPixels destroy. Destroyed cStarPalette\n");
    }
    --m_instanceCounter;
}

int cStarSpriteWithPixels::instanceCount() { return g_pixelStars.load(); }

void cStarSpriteWithPixels::buildPalette() {
    cStarPalette::publish(std::make_unique<cStarPalette>());
    cStarPalette& palette = *cStarPalette::current();
    for (int level = 0; level < cStarPalette::kLevels; ++level) {
        cStarPattern pattern{};
        for (auto& row : pattern) row.fill(kColorOpaqueBlack);
        makeStarPattern(static_cast<float>(level) / static_cast<float>(cStarPalette::kLevels), pattern);
        palette.setImagePattern(level, pattern);
    }
    logInfo("TstarImageBinder created");
}

void cStarSpriteWithPixels::makeStarPattern(float starBrightness, cStarPattern& pattern) {
    // Exact integer arithmetic on hundredths of brightness: the palette's levels
    // are hundredths, and floating point would truncate differently on x87 and
    // SSE (1.4 x 160 must give 224 on every build).
    const long hundredths = std::lround(starBrightness * 100.0f);
    for (int i = 0; i <= 3; ++i) {
        for (int j = 0; j <= 3; ++j) {
            if (i + j >= 4) {
                pattern[i][j] = kColorOpaqueBlack;
                continue;
            }
            const bool diagonal = i != 0 && j != 0;
            const long numerator = (hundredths - kArmFallOffPerRowHundredths * i) * kPeakValue;
            long denominator = 100L * (i + j + 1);
            if (diagonal) denominator *= kDiagonalDivisor * (i + j);
            const long c = numerator <= 0 ? 0 : std::min(255L, numerator / denominator);
            const long blue = diagonal ? c * kBlueOnDiagonals : c * kBlueOnAxesTenths / 10;
            pattern[i][j] = makeColor(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c),
                                      static_cast<std::uint8_t>(std::min(255L, blue)));
        }
    }
}

void cStarSpriteWithPixels::calculateSize() {
    width = static_cast<float>(cStarPalette::kImageSize);
    height = static_cast<float>(cStarPalette::kImageSize);
    sizeValid = true;
}

keslRect<int> cStarSpriteWithPixels::coverage() {
    const cStarPalette* palette = cStarPalette::current();
    if (!palette) return {};
    // Only what the level paints: most of the sky's stars are dim, their centre alone.
    const keslRect<int>& ink = palette->inkOf(paletteLevel());
    if (keslIsEmpty(ink)) return {};
    return keslRect<int>(static_cast<int>(y) + ink.top, static_cast<int>(x) + ink.left, ink.width, ink.height);
}

std::uint64_t cStarSpriteWithPixels::appearance() { return static_cast<std::uint64_t>(paletteLevel()); }

int cStarSpriteWithPixels::paletteLevel() const {
    return static_cast<int>(brightness * static_cast<float>(cStarPalette::kLevels - 1));
}

void cStarSpriteWithPixels::draw() {
    cStarPalette* palette = cStarPalette::current();
    if (!palette) return;
    const int level = paletteLevel();
    const int left = static_cast<int>(x);
    const int top = static_cast<int>(y);
    // A star lightens the sky and never darkens it: a dim star over the Milky
    // Way or a bright background would otherwise show as a dark dot.
    if (m_renderWindowPtr != nullptr && m_renderWindowPtr->lightenPixels(left, top, palette->pixelsOf(level))) {
        return;
    }
    palette->getImageOf(level).drawOn(m_renderWindowPtr, left, top);
}
