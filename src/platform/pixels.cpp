#include "platform/pixels.h"

#include <algorithm>

namespace {

constexpr keslPixel kColourBits = 0x00FFFFFFu;

std::uint64_t& blockPixelsWritten() {
    static std::uint64_t written = 0;
    return written;
}

}  // namespace

std::uint64_t keslBlockPixelsWritten() { return blockPixelsWritten(); }

void keslCountBlockPixels(std::uint64_t count) { blockPixelsWritten() += count; }

void keslCopyPixels(const keslPixelView& target, int x, int y, const keslPixelView& source, int width, int height,
                    std::optional<keslColor> transparentColor, const keslRect<int>* clip) {
    if (!target || !source) return;
    int fromX = std::max(0, -x);
    int fromY = std::max(0, -y);
    int toX = std::min({width, source.width, target.width - x});
    int toY = std::min({height, source.height, target.height - y});
    if (clip != nullptr) {
        fromX = std::max(fromX, clip->left - x);
        fromY = std::max(fromY, clip->top - y);
        toX = std::min(toX, clip->getRight() - x);
        toY = std::min(toY, clip->getBottom() - y);
    }
    if (fromX >= toX || fromY >= toY) return;
    const int count = toX - fromX;
    keslCountBlockPixels(static_cast<std::uint64_t>(count) * static_cast<std::uint64_t>(toY - fromY));
    if (!transparentColor) {
        for (int row = fromY; row < toY; ++row) {
            const keslPixel* src = source.row(row) + fromX;
            std::copy(src, src + count, target.row(y + row) + x + fromX);
        }
        return;
    }
    const keslPixel key = toPixel(*transparentColor) & kColourBits;
    for (int row = fromY; row < toY; ++row) {
        const keslPixel* src = source.row(row) + fromX;
        keslPixel* dst = target.row(y + row) + x + fromX;
        for (int i = 0; i < count; ++i) {
            if ((src[i] & kColourBits) != key) dst[i] = src[i];
        }
    }
}
