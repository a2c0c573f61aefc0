#include "platform/dirty_region.h"

#include <algorithm>
#include <limits>

namespace {

std::int64_t areaOf(const keslRect<int>& r) {
    return keslIsEmpty(r) ? 0 : static_cast<std::int64_t>(r.width) * static_cast<std::int64_t>(r.height);
}

bool near(const keslRect<int>& a, const keslRect<int>& b, int gap) {
    return a.left - gap < b.getRight() && b.left - gap < a.getRight() && a.top - gap < b.getBottom() &&
           b.top - gap < a.getBottom();
}

}  // namespace

keslRect<int> keslIntersection(const keslRect<int>& a, const keslRect<int>& b) {
    const int left = std::max(a.left, b.left);
    const int top = std::max(a.top, b.top);
    const int right = std::min(a.getRight(), b.getRight());
    const int bottom = std::min(a.getBottom(), b.getBottom());
    if (right <= left || bottom <= top) return {};
    return keslRect<int>(top, left, right - left, bottom - top);
}

keslRect<int> keslBoundingBox(const keslRect<int>& a, const keslRect<int>& b) {
    if (keslIsEmpty(a)) return b;
    if (keslIsEmpty(b)) return a;
    const int left = std::min(a.left, b.left);
    const int top = std::min(a.top, b.top);
    return keslRect<int>(top, left, std::max(a.getRight(), b.getRight()) - left,
                         std::max(a.getBottom(), b.getBottom()) - top);
}

void keslDirtyRegion::reset(const keslRect<int>& bounds) {
    m_bounds = bounds;
    m_count = 0;
    m_whole = false;
}

void keslDirtyRegion::markWhole() {
    m_whole = true;
    m_count = 0;
}

void keslDirtyRegion::add(const keslRect<int>& rect) {
    if (m_whole) return;
    keslRect<int> grown = keslIntersection(rect, m_bounds);
    if (keslIsEmpty(grown)) return;
    // A merged box may reach rectangles the parts did not, so look again after every merge.
    for (int i = 0; i < m_count;) {
        if (!near(m_rects[static_cast<size_t>(i)], grown, kMergeGap)) {
            ++i;
            continue;
        }
        grown = keslBoundingBox(grown, m_rects[static_cast<size_t>(i)]);
        removeAt(i);
        i = 0;
    }
    append(grown);
}

void keslDirtyRegion::append(const keslRect<int>& rect) {
    if (m_count < kMaxRects) {
        m_rects[static_cast<size_t>(m_count++)] = rect;
        return;
    }
    // Full: the rectangle joins the one it grows least, and the result is added anew.
    int best = 0;
    std::int64_t bestGrowth = std::numeric_limits<std::int64_t>::max();
    for (int i = 0; i < m_count; ++i) {
        const keslRect<int>& r = m_rects[static_cast<size_t>(i)];
        const std::int64_t growth = areaOf(keslBoundingBox(r, rect)) - areaOf(r);
        if (growth < bestGrowth) {
            bestGrowth = growth;
            best = i;
        }
    }
    const keslRect<int> joined = keslBoundingBox(m_rects[static_cast<size_t>(best)], rect);
    removeAt(best);
    add(joined);
}

void keslDirtyRegion::removeAt(int index) {
    m_rects[static_cast<size_t>(index)] = m_rects[static_cast<size_t>(m_count - 1)];
    --m_count;
}

void keslDirtyRegion::settle() {
    if (m_whole) return;
    if (area() * 100 > areaOf(m_bounds) * kWholeFramePercent) markWhole();
}

bool keslDirtyRegion::intersects(const keslRect<int>& rect) const {
    if (keslIsEmpty(rect)) return false;
    // Asked for every sprite of every frame: plain fields, no virtual edges.
    const int right = rect.left + rect.width;
    const int bottom = rect.top + rect.height;
    for (const keslRect<int>& r : *this) {
        if (r.left < right && rect.left < r.left + r.width && r.top < bottom && rect.top < r.top + r.height) {
            return true;
        }
    }
    return false;
}

std::int64_t keslDirtyRegion::area() const {
    std::int64_t total = 0;
    for (const keslRect<int>& r : *this) total += areaOf(r);
    return total;
}
