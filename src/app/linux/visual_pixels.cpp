#include "app/linux/visual_pixels.h"

namespace {

int lowestBit(std::uint32_t mask) {
    int shift = 0;
    while (shift < 32 && ((mask >> shift) & 1u) == 0) ++shift;
    return shift;
}

int bitCount(std::uint32_t mask) {
    int count = 0;
    for (; mask != 0; mask &= mask - 1) ++count;
    return count;
}

// An 8-bit channel value placed into a mask of any width: the top bits when
// the mask is narrower, the value widened by repeating when it is wider.
std::uint32_t intoMask(std::uint32_t value8, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int bits = bitCount(mask);
    std::uint32_t scaled;
    if (bits <= 8) {
        scaled = value8 >> (8 - bits);
    } else {
        scaled = (value8 * ((1u << bits) - 1u) + 127u) / 255u;
    }
    return (scaled << lowestBit(mask)) & mask;
}

}  // namespace

bool isRasterLayout(const keslVisualMasks& masks, int bitsPerPixel) {
    return bitsPerPixel == 32 && masks.red == 0xFF0000u && masks.green == 0x00FF00u && masks.blue == 0x0000FFu;
}

keslVisualPixelConverter::keslVisualPixelConverter(const keslVisualMasks& masks) {
    for (std::uint32_t value = 0; value < 256; ++value) {
        m_red[value] = intoMask(value, masks.red);
        m_green[value] = intoMask(value, masks.green);
        m_blue[value] = intoMask(value, masks.blue);
    }
}
