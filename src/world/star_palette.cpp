#include "world/star_palette.h"

#include "platform/dirty_region.h"
#include "system/rect_ops.h"
#include "util/log.h"

namespace {
std::unique_ptr<cStarPalette>& processPalette() {
    static std::unique_ptr<cStarPalette> palette;
    return palette;
}
}  // namespace

cStarPalette::cStarPalette()
    : m_pixels(static_cast<size_t>(kLevels * kImageSize * kImageSize), toPixel(kTransparentColor)) {
    logInfo("cImageBinder initializing %i images", kLevels);
    for (keslImage& image : m_images) {
        image.initWithSizeAndColor(kImageSize, kImageSize, kTransparentColor);
    }
}

void cStarPalette::setPixel(int level, int x, int y, keslColor color) {
    m_images[static_cast<size_t>(level)].setPixel(x, y, color);
    m_pixels[static_cast<size_t>((level * kImageSize + y) * kImageSize + x)] = toPixel(color);
}

void cStarPalette::setImagePattern(int level, const cStarPattern& pattern) {
    level = levelInRange(level);
    const int cx = kCentre;
    const int cy = kCentre;
    for (int i = 0; i <= 3; ++i) {
        for (int j = 0; j <= i; ++j) {
            const keslColor c = pattern[i][j];
            // The eight mirror images of (i, j); where two coincide, write once.
            setPixel(level, cx + i, cy + j, c);
            if (i != j) setPixel(level, cx + j, cy + i, c);
            if (i != 0) setPixel(level, cx - i, cy + j, c);
            if (i != 0 && i != j) setPixel(level, cx + j, cy - i, c);
            if (j != 0) setPixel(level, cx + i, cy - j, c);
            if (j != 0 && i != j) setPixel(level, cx - j, cy + i, c);
            if (i != 0 && j != 0) setPixel(level, cx - i, cy - j, c);
            if (i != 0 && j != 0 && i != j) setPixel(level, cx - j, cy - i, c);
        }
    }
    m_images[static_cast<size_t>(level)].setTransparentColor(kTransparentColor);
    m_inks[static_cast<size_t>(level)] = inkBoxOf(level);
}

keslRect<int> cStarPalette::inkBoxOf(int level) const {
    const keslPixel* image = m_pixels.data() + static_cast<size_t>(level * kImageSize * kImageSize);
    const keslPixel transparent = toPixel(kTransparentColor);
    keslRect<int> box;
    for (int y = 0; y < kImageSize; ++y) {
        for (int x = 0; x < kImageSize; ++x) {
            if (image[y * kImageSize + x] != transparent) box = keslBoundingBox(box, keslRect<int>(y, x, 1, 1));
        }
    }
    return box;
}

int cStarPalette::levelInRange(int level) {
    if (level > kLevels - 1) {
        logError("getImageOf out of range>1 :%i", level);
        return kLevels - 1;
    }
    if (level < 0) {
        logError("getImageOf out of range>1 :%i", level);
        return 0;
    }
    return level;
}

keslImage& cStarPalette::getImageOf(int level) { return m_images[static_cast<size_t>(levelInRange(level))]; }

keslPixelView cStarPalette::pixelsOf(int level) {
    const size_t first = static_cast<size_t>(levelInRange(level) * kImageSize * kImageSize);
    return keslPixelView{m_pixels.data() + first, kImageSize, kImageSize};
}

cStarPalette* cStarPalette::current() { return processPalette().get(); }

void cStarPalette::publish(std::unique_ptr<cStarPalette> palette) { processPalette() = std::move(palette); }

void cStarPalette::destroyCurrent() { processPalette().reset(); }
