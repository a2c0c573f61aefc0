// The raster backend's drawing surface: 32-bit pixels 0x00RRGGBB, rows top
// down, plus the two pieces of state a GDI device context carries between
// calls and the system relies on (the text colour and the character spacing).
// A surface owns its pixels, or borrows memory someone else shows (the image
// an X display reads), so a frame can be drawn where it is presented.
#pragma once

#include "platform/pixels.h"
#include "system/rect.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class keslPixelSurface {
public:
    keslPixelSurface() = default;
    // Sizes below zero count as zero.
    keslPixelSurface(int width, int height, keslPixel fill = 0);
    // Takes width x height pixels, rows from the top.
    keslPixelSurface(int width, int height, std::vector<keslPixel>&& pixels);
    // Draws into width x height pixels the caller holds, and keeps alive, for the surface's whole life.
    static keslPixelSurface borrowing(int width, int height, keslPixel* memory);

    // A copy always owns its pixels.
    keslPixelSurface(const keslPixelSurface& other);
    keslPixelSurface& operator=(const keslPixelSurface& other);
    keslPixelSurface(keslPixelSurface&& other) noexcept;
    keslPixelSurface& operator=(keslPixelSurface&& other) noexcept;
    ~keslPixelSurface() = default;

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(int x, int y) const { return view().contains(x, y); }

    keslPixel* row(int y) { return m_data + static_cast<size_t>(y) * static_cast<size_t>(m_width); }
    const keslPixel* row(int y) const { return m_data + static_cast<size_t>(y) * static_cast<size_t>(m_width); }
    keslPixel at(int x, int y) const { return row(y)[x]; }
    void set(int x, int y, keslPixel p) { row(y)[x] = p; }
    const keslPixel* data() const { return m_data; }
    size_t pixelCount() const { return static_cast<size_t>(m_width) * static_cast<size_t>(m_height); }
    keslPixelView view() { return {m_data, m_width, m_height}; }
    // Copying from a surface never writes to it; the view's type just cannot say so.
    keslPixelView view() const { return {m_data, m_width, m_height}; }

    // Drawing (never reading) stays inside this rectangle, as a GDI clip
    // region; null lifts the limit. A copy is never clipped.
    void setClip(const keslRect<int>* clip);
    // The area drawing may write: the clip within the surface.
    int writeLeft() const { return m_clipped ? m_clipLeft : 0; }
    int writeTop() const { return m_clipped ? m_clipTop : 0; }
    int writeRight() const { return m_clipped ? m_clipRight : m_width; }
    int writeBottom() const { return m_clipped ? m_clipBottom : m_height; }
    bool writable(int x, int y) const { return x >= writeLeft() && y >= writeTop() && x < writeRight() && y < writeBottom(); }
    // The clip as a rectangle for block copies; null when there is none.
    const keslRect<int>* clip() const { return m_clipped ? &m_clipRect : nullptr; }

    // Device-context state: black text and no extra spacing, as a fresh GDI context.
    keslPixel textColor = 0;
    int characterExtra = 0;

private:
    void adoptOwned() { m_data = m_owned.data(); }

    int m_width = 0;
    int m_height = 0;
    std::vector<keslPixel> m_owned;
    keslPixel* m_data = nullptr;
    bool m_clipped = false;
    int m_clipLeft = 0;
    int m_clipTop = 0;
    int m_clipRight = 0;
    int m_clipBottom = 0;
    keslRect<int> m_clipRect;
};
