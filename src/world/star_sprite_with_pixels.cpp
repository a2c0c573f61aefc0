#include "world/star_sprite_with_pixels.h"

#include "platform/color.h"
#include "platform/window.h"
#include "util/log.h"

#include <memory>

namespace {
std::atomic<int> g_pixelStars{0};

constexpr float kArmFallOffPerRow = 0.25f;
constexpr float kPeakValue = 255.0f * 7.0f;
constexpr float kDiagonalShare = 0.5f;
constexpr float kBlueOnDiagonals = 4.0f;
constexpr float kBlueOnAxes = 1.4f;

std::uint8_t truncatedChannel(float value) {
    if (value > 255.0f) return 255;
    if (value < 0.0f) return 0;
    return static_cast<std::uint8_t>(value);
}
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
    for (int i = 0; i <= 3; ++i) {
        for (int j = 0; j <= 3; ++j) {
            if (i + j >= 4) {
                pattern[i][j] = kColorOpaqueBlack;
                continue;
            }
            const bool diagonal = i != 0 && j != 0;
            float v = (starBrightness - kArmFallOffPerRow * static_cast<float>(i)) * kPeakValue /
                      static_cast<float>(i + j + 1);
            if (diagonal) v = v * kDiagonalShare / static_cast<float>(i + j);
            const std::uint8_t c = truncatedChannel(v);
            const float blueFactor = diagonal ? kBlueOnDiagonals : kBlueOnAxes;
            pattern[i][j] = makeColor(c, c, truncatedChannel(blueFactor * static_cast<float>(c)));
        }
    }
}

void cStarSpriteWithPixels::calculateSize() {
    width = static_cast<float>(cStarPalette::kImageSize);
    height = static_cast<float>(cStarPalette::kImageSize);
    sizeValid = true;
}

void cStarSpriteWithPixels::draw() {
    cStarPalette* palette = cStarPalette::current();
    if (!palette) return;
    const int level = static_cast<int>(brightness * static_cast<float>(cStarPalette::kLevels - 1));
    palette->getImageOf(level).drawOn(m_renderWindowPtr, static_cast<int>(x), static_cast<int>(y));
}
