// Pixels as both backends hold them in memory: 32 bits, 0x00RRGGBB, rows top
// down. That is the raster's own layout and also a 32-bit top-down DIB
// section's, so one routine copies blocks (with or without a key colour) for
// both, and the two builds cannot drift apart in how a keyed copy decides.
#pragma once

#include "platform/color.h"
#include "system/rect.h"

#include <cstddef>
#include <cstdint>
#include <optional>

using keslPixel = std::uint32_t;

constexpr keslPixel toPixel(keslColor c) { return c >> 8; }
constexpr keslColor fromPixel(keslPixel p) { return (p << 8) | 0xFFu; }

// Borrowed pixels: width x height, rows of width pixels one after the other.
struct keslPixelView {
    keslPixel* data = nullptr;
    int width = 0;
    int height = 0;

    explicit operator bool() const { return data != nullptr; }
    // Asked for every pixel of a glow: plain comparisons with the buffer's
    // size rather than a rectangle built and tested each time.
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    keslPixel* row(int y) const { return data + static_cast<size_t>(y) * static_cast<size_t>(width); }
};

// The part of a width x height picture put at (x, y) that lands inside the
// target and the clip (target pixels), in the picture's own columns
// [fromX, toX) and rows [fromY, toY).
struct keslPlacedPart {
    int fromX = 0;
    int fromY = 0;
    int toX = 0;
    int toY = 0;

    bool empty() const { return fromX >= toX || fromY >= toY; }
};
keslPlacedPart keslPartInside(const keslPixelView& target, int x, int y, int width, int height,
                              const keslRect<int>* clip);

// Copies source's (0, 0, width, height) to (x, y) of target, clipped to both.
// With a key, source pixels of exactly that colour leave the target as it
// was. Only red, green and blue count: GDI may leave anything in the fourth
// byte. Source and target must not be the same pixels. A clip (target
// pixels) limits what is written.
// Each pixel of source's (0, 0, width, height) at (x, y) of target becomes
// the brighter of the two, channel by channel: what is drawn this way never
// darkens what lies under it, and black leaves the target as it was.
void keslLightenPixels(const keslPixelView& target, int x, int y, const keslPixelView& source, int width, int height,
                       const keslRect<int>* clip = nullptr);

void keslCopyPixels(const keslPixelView& target, int x, int y, const keslPixelView& source, int width, int height,
                    std::optional<keslColor> transparentColor, const keslRect<int>* clip = nullptr);

// Paints area (target pixels, cut to the target) with tile repeated from the
// target's (0, 0), row by row across the tiles' seams: one pass for a
// rectangle however many tiles it crosses. Tile and target must not be the same pixels.
void keslCopyTiled(const keslPixelView& target, const keslRect<int>& area, const keslPixelView& tile);

// Block pixels written by fills and copies since the process started: a
// benchmark's measure of how many times a frame's worth of memory is written.
std::uint64_t keslBlockPixelsWritten();
void keslCountBlockPixels(std::uint64_t count);
