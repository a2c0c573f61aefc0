// What each of a surface's buffers lacks of the sky. A frame's damage
// (rectangles of the sky that changed) is owed to every buffer; a buffer
// shown again after the others pays what it missed meanwhile, so with two
// buffers each copy takes this frame's damage and the one before. Past a
// handful of rectangles, or for a new buffer, the whole region is owed:
// copying it is then as quick. Plain rectangles, no Wayland; nothing is
// allocated after construction.
#pragma once

#include "system/rect.h"

#include <vector>

class keslBufferDamage {
public:
    // More separate rectangles than this per buffer, and the whole region is
    // owed: two frames of a sky's changes (up to 256 each) still go by rectangle.
    static constexpr size_t kMostRects = 512;

    explicit keslBufferDamage(size_t buffers);

    // This buffer owes the whole region (it is new).
    void owesEverything(size_t buffer);
    // This frame changed these sky rectangles; only their parts inside region count.
    void add(const keslRect<int>& region, const std::vector<keslRect<int>>& damage);
    // Whether the buffer must take the whole region; otherwise owed() lists what.
    bool owesWhole(size_t buffer) const { return m_buffers[buffer].whole; }
    const std::vector<keslRect<int>>& owed(size_t buffer) const { return m_buffers[buffer].rects; }
    // The buffer has been brought up to date.
    void paid(size_t buffer);

private:
    struct Owed {
        std::vector<keslRect<int>> rects;
        bool whole = true;
    };
    std::vector<Owed> m_buffers;
};
