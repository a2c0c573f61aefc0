#include "app/wayland/wayland_buffer_damage.h"

#include <algorithm>

keslRect<int> intersectionOf(const keslRect<int>& a, const keslRect<int>& b) {
    const int left = std::max(a.left, b.left), top = std::max(a.top, b.top);
    const int right = std::min(a.getRight(), b.getRight()), bottom = std::min(a.getBottom(), b.getBottom());
    if (right <= left || bottom <= top) return keslRect<int>();
    return keslRect<int>(top, left, right - left, bottom - top);
}

keslBufferDamage::keslBufferDamage(size_t buffers) : m_buffers(buffers) {
    for (Owed& owed : m_buffers) owed.rects.reserve(kMostRects);
}

void keslBufferDamage::owesEverything(size_t buffer) {
    m_buffers[buffer].rects.clear();
    m_buffers[buffer].whole = true;
}

void keslBufferDamage::add(const keslRect<int>& region, const std::vector<keslRect<int>>& damage) {
    for (Owed& owed : m_buffers) {
        for (const keslRect<int>& rect : damage) {
            if (owed.whole) break;
            const keslRect<int> inside = intersectionOf(rect, region);
            if (inside.width == 0) continue;
            if (owed.rects.size() == kMostRects) {
                owed.rects.clear();
                owed.whole = true;
                break;
            }
            owed.rects.push_back(inside);
        }
    }
}

void keslBufferDamage::paid(size_t buffer) {
    m_buffers[buffer].rects.clear();
    m_buffers[buffer].whole = false;
}
