#include "platform/pixels.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr keslPixel kColourBits = 0x00FFFFFFu;
// Rows shorter than this are copied inline: most are a star's or a changed
// strip's few dozen pixels, thousands a frame, and a call into the C
// library's memmove (under Wine a plain C one) costs as much as the copy.
constexpr int kInlineRowPixels = 64;
constexpr int kPixelsPerChunk = 4;

// The two rows must not overlap.
void copyRow(const keslPixel* from, keslPixel* to, int count) {
    if (count >= kInlineRowPixels) {
        std::memcpy(to, from, static_cast<size_t>(count) * sizeof(keslPixel));
        return;
    }
    int i = 0;
    for (; i + kPixelsPerChunk <= count; i += kPixelsPerChunk) {
        std::memcpy(to + i, from + i, kPixelsPerChunk * sizeof(keslPixel));
    }
    for (; i < count; ++i) to[i] = from[i];
}

// Copies the pixels whose colour is not the key. Four at a time where the
// machine can: a star's or the moon's edge leaves whether the next pixel is
// the key to chance, and a wrong guess costs more than the copy.
void copyRowKeyed(const keslPixel* from, keslPixel* to, int count, keslPixel key) {
    int i = 0;
#if defined(__SSE2__)
    if (count >= kPixelsPerChunk) {
        const __m128i colourBits = _mm_set1_epi32(static_cast<int>(kColourBits));
        const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
        auto copyChunk = [&](int at) {
            const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + at));
            const __m128i keyed = _mm_cmpeq_epi32(_mm_and_si128(source, colourBits), keys);
            const __m128i under = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + at));
            const __m128i kept = _mm_or_si128(_mm_and_si128(keyed, under), _mm_andnot_si128(keyed, source));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + at), kept);
        };
        for (; i + kPixelsPerChunk <= count; i += kPixelsPerChunk) copyChunk(i);
        // The last chunk ends at the row's end and overlaps pixels already
        // copied, which the key leaves as they are: copying them again changes nothing.
        if (i < count) copyChunk(count - kPixelsPerChunk);
        return;
    }
#endif
    for (; i < count; ++i) {
        if ((from[i] & kColourBits) != key) to[i] = from[i];
    }
}

void lightenRow(const keslPixel* from, keslPixel* to, int count) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i colourBits = _mm_set1_epi32(static_cast<int>(kColourBits));
    for (; i + kPixelsPerChunk <= count; i += kPixelsPerChunk) {
        const __m128i source = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)), colourBits);
        const __m128i under = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_max_epu8(source, under));
    }
#endif
    for (; i < count; ++i) {
        keslPixel lighter = to[i];
        for (int shift = 0; shift < 24; shift += 8) {
            const keslPixel channel = (from[i] >> shift) & 0xFFu;
            if (channel > ((lighter >> shift) & 0xFFu)) lighter = (lighter & ~(0xFFu << shift)) | (channel << shift);
        }
        to[i] = lighter;
    }
}

std::uint64_t& blockPixelsWritten() {
    static std::uint64_t written = 0;
    return written;
}

}  // namespace

std::uint64_t keslBlockPixelsWritten() { return blockPixelsWritten(); }

void keslCountBlockPixels(std::uint64_t count) { blockPixelsWritten() += count; }

keslPlacedPart keslPartInside(const keslPixelView& target, int x, int y, int width, int height,
                              const keslRect<int>* clip) {
    keslPlacedPart part{std::max(0, -x), std::max(0, -y), std::min(width, target.width - x),
                        std::min(height, target.height - y)};
    if (clip != nullptr) {
        part.fromX = std::max(part.fromX, clip->left - x);
        part.fromY = std::max(part.fromY, clip->top - y);
        part.toX = std::min(part.toX, clip->getRight() - x);
        part.toY = std::min(part.toY, clip->getBottom() - y);
    }
    return part;
}

namespace {

// Hands each row of source that lands inside target and clip to rowOp(from, to, count), and counts the pixels.
template <class RowOp>
void forPlacedRows(const keslPixelView& target, int x, int y, const keslPixelView& source, int width, int height,
                   const keslRect<int>* clip, RowOp rowOp) {
    if (!target || !source) return;
    const keslPlacedPart part =
        keslPartInside(target, x, y, std::min(width, source.width), std::min(height, source.height), clip);
    if (part.empty()) return;
    const int count = part.toX - part.fromX;
    keslCountBlockPixels(static_cast<std::uint64_t>(count) * static_cast<std::uint64_t>(part.toY - part.fromY));
    for (int row = part.fromY; row < part.toY; ++row) {
        rowOp(source.row(row) + part.fromX, target.row(y + row) + x + part.fromX, count);
    }
}

}  // namespace

void keslLightenPixels(const keslPixelView& target, int x, int y, const keslPixelView& source, int width, int height,
                       const keslRect<int>* clip) {
    forPlacedRows(target, x, y, source, width, height, clip, lightenRow);
}

void keslCopyTiled(const keslPixelView& target, const keslRect<int>& area, const keslPixelView& tile) {
    if (!target || !tile || tile.width <= 0 || tile.height <= 0) return;
    const int left = std::max(area.left, 0);
    const int top = std::max(area.top, 0);
    const int right = std::min(area.left + area.width, target.width);
    const int bottom = std::min(area.top + area.height, target.height);
    if (left >= right || top >= bottom) return;
    keslCountBlockPixels(static_cast<std::uint64_t>(right - left) * static_cast<std::uint64_t>(bottom - top));
    const int firstColumn = left % tile.width;
    int tileRow = top % tile.height;
    for (int y = top; y < bottom; ++y) {
        const keslPixel* from = tile.row(tileRow);
        keslPixel* to = target.row(y);
        int column = firstColumn;
        for (int x = left; x < right; column = 0) {
            const int count = std::min(right - x, tile.width - column);
            copyRow(from + column, to + x, count);
            x += count;
        }
        if (++tileRow == tile.height) tileRow = 0;
    }
}

void keslCopyPixels(const keslPixelView& target, int x, int y, const keslPixelView& source, int width, int height,
                    std::optional<keslColor> transparentColor, const keslRect<int>* clip) {
    if (!transparentColor) {
        forPlacedRows(target, x, y, source, width, height, clip, copyRow);
        return;
    }
    const keslPixel key = toPixel(*transparentColor) & kColourBits;
    forPlacedRows(target, x, y, source, width, height, clip,
                  [key](const keslPixel* from, keslPixel* to, int count) { copyRowKeyed(from, to, count, key); });
}
