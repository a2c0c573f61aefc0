// The 100 precomputed 7x7 star images, one per brightness level, that every
// star of the sky draws from: a frame copies one small image per star and does
// no per-pixel work. One palette exists while any pixel star exists; the first
// star builds it and the last one frees it.
//
// Each image is a picture of its own, and on Windows each picture's pixels
// start on a 64 KB boundary: a star's rows fell on the same cache sets as
// every other level's, and each level sat on pages of its own. The palette
// keeps a copy of all hundred side by side, which a star draws from where the
// window can take pixels from memory.
#pragma once

#include "platform/image.h"
#include "platform/pixels.h"

#include <array>
#include <memory>
#include <vector>

// One quadrant of a star: [row][column] from the centre outwards.
using cStarPattern = std::array<std::array<keslColor, 4>, 4>;

class cStarPalette {
public:
    static constexpr int kLevels = 100;
    static constexpr int kImageSize = 7;
    static constexpr int kCentre = 3;
    // Black pixels of an image are not drawn.
    static constexpr keslColor kTransparentColor = 0x000000FFu;

    // Every image 7x7 and opaque black; build fills them.
    cStarPalette();
    cStarPalette(const cStarPalette&) = delete;
    cStarPalette& operator=(const cStarPalette&) = delete;

    // Image level (0..kLevels-1) from its quadrant, mirrored into all eight octants.
    void setImagePattern(int level, const cStarPattern& pattern);
    // A level out of range logs an error and gives the nearest image.
    keslImage& getImageOf(int level);
    // The same image's pixels, from the copy the palette keeps of all of them.
    keslPixelView pixelsOf(int level);
    // The box of the level's image that is not transparent, in its own
    // coordinates: all that drawing it paints (a dim star is its centre alone).
    const keslRect<int>& inkOf(int level) const { return m_inks[static_cast<size_t>(levelInRange(level))]; }

    // The process's palette, or null while no pixel star exists.
    static cStarPalette* current();
    static void publish(std::unique_ptr<cStarPalette> palette);
    static void destroyCurrent();

private:
    static int levelInRange(int level);
    void setPixel(int level, int x, int y, keslColor color);
    keslRect<int> inkBoxOf(int level) const;

    std::array<keslImage, kLevels> m_images;
    // kLevels images of kImageSize x kImageSize pixels, one after another.
    std::vector<keslPixel> m_pixels;
    std::array<keslRect<int>, kLevels> m_inks;
};
