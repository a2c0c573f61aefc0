// The 100 precomputed 7x7 star images, one per brightness level, that every
// star of the sky draws from: a frame copies one small image per star and does
// no per-pixel work. One palette exists while any pixel star exists; the first
// star builds it and the last one frees it.
#pragma once

#include "platform/image.h"

#include <array>
#include <memory>

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

    // The process's palette, or null while no pixel star exists.
    static cStarPalette* current();
    static void publish(std::unique_ptr<cStarPalette> palette);
    static void destroyCurrent();

private:
    std::array<keslImage, kLevels> m_images;
};
