#include "app/wayland/wayland_buffer_damage.h"

#include "system/rect_ops.h"

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
            const keslRect<int> inside = keslIntersection(rect, region);
            if (keslIsEmpty(inside)) continue;
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
