#include "world/star_palette.h"

#include "util/log.h"

namespace {
std::unique_ptr<cStarPalette>& processPalette() {
    static std::unique_ptr<cStarPalette> palette;
    return palette;
}
}  // namespace

cStarPalette::cStarPalette() {
    logInfo("cImageBinder initializing %i images", kLevels);
    for (keslImage& image : m_images) {
        image.initWithSizeAndColor(kImageSize, kImageSize, kTransparentColor);
    }
}

void cStarPalette::setImagePattern(int level, const cStarPattern& pattern) {
    keslImage& image = getImageOf(level);
    const int cx = kCentre;
    const int cy = kCentre;
    for (int i = 0; i <= 3; ++i) {
        for (int j = 0; j <= i; ++j) {
            const keslColor c = pattern[i][j];
            // The eight mirror images of (i, j); where two coincide, write once.
            image.setPixel(cx + i, cy + j, c);
            if (i != j) image.setPixel(cx + j, cy + i, c);
            if (i != 0) image.setPixel(cx - i, cy + j, c);
            if (i != 0 && i != j) image.setPixel(cx + j, cy - i, c);
            if (j != 0) image.setPixel(cx + i, cy - j, c);
            if (j != 0 && i != j) image.setPixel(cx - j, cy + i, c);
            if (i != 0 && j != 0) image.setPixel(cx - i, cy - j, c);
            if (i != 0 && j != 0 && i != j) image.setPixel(cx - j, cy - i, c);
        }
    }
    image.setTransparentColor(kTransparentColor);
}

keslImage& cStarPalette::getImageOf(int level) {
    if (level > kLevels - 1) {
        logError("getImageOf out of range>1 :%i", level);
        level = kLevels - 1;
    } else if (level < 0) {
        logError("getImageOf out of range>1 :%i", level);
        level = 0;
    }
    return m_images[static_cast<size_t>(level)];
}

cStarPalette* cStarPalette::current() { return processPalette().get(); }

void cStarPalette::publish(std::unique_ptr<cStarPalette> palette) { processPalette() = std::move(palette); }

void cStarPalette::destroyCurrent() { processPalette().reset(); }
