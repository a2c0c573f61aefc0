// Turning the raster's 0x00RRGGBB pixels into the pixel values of whatever
// visual the X server gives the window. Most servers take the raster's
// layout as it is; the rest (16-bit displays, odd channel orders) get each
// channel scaled and shifted into its mask, through tables built once.
#pragma once

#include "platform/raster/pixel_surface.h"

#include <array>
#include <cstdint>

struct keslVisualMasks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
};

// True when the raster's pixels can be copied to an image of 32 bits per pixel unchanged.
bool isRasterLayout(const keslVisualMasks& masks, int bitsPerPixel);

class keslVisualPixelConverter {
public:
    explicit keslVisualPixelConverter(const keslVisualMasks& masks);

    // The visual's pixel value for one raster pixel.
    std::uint32_t operator()(keslPixel pixel) const {
        return m_red[(pixel >> 16) & 0xFFu] | m_green[(pixel >> 8) & 0xFFu] | m_blue[pixel & 0xFFu];
    }

private:
    std::array<std::uint32_t, 256> m_red{};
    std::array<std::uint32_t, 256> m_green{};
    std::array<std::uint32_t, 256> m_blue{};
};
