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
    m_cells.fill(0);
    m_cellWidth = std::max(1, (bounds.width + kGridCells - 1) / kGridCells);
    m_cellHeight = std::max(1, (bounds.height + kGridCells - 1) / kGridCells);
}

bool keslDirtyRegion::cellsOf(const keslRect<int>& rect, std::uint64_t& columns, int& firstRow,
                              int& lastRow) const {
    const int left = std::max(rect.left - m_bounds.left, 0);
    const int top = std::max(rect.top - m_bounds.top, 0);
    const int right = std::min(rect.left + rect.width - m_bounds.left, m_bounds.width) - 1;
    const int bottom = std::min(rect.top + rect.height - m_bounds.top, m_bounds.height) - 1;
    if (right < left || bottom < top) return false;
    const int firstColumn = std::min(left / m_cellWidth, kGridCells - 1);
    const int lastColumn = std::min(right / m_cellWidth, kGridCells - 1);
    firstRow = std::min(top / m_cellHeight, kGridCells - 1);
    lastRow = std::min(bottom / m_cellHeight, kGridCells - 1);
    const int span = lastColumn - firstColumn + 1;
    columns = (span >= 64 ? ~0ull : ((1ull << span) - 1)) << firstColumn;
    return true;
}

void keslDirtyRegion::markCells(const keslRect<int>& rect) {
    std::uint64_t columns = 0;
    int firstRow = 0;
    int lastRow = -1;
    if (!cellsOf(rect, columns, firstRow, lastRow)) return;
    for (int row = firstRow; row <= lastRow; ++row) m_cells[static_cast<size_t>(row)] |= columns;
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
        markCells(rect);
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
    if (!m_whole) {
        std::uint64_t columns = 0;
        int firstRow = 0;
        int lastRow = -1;
        if (!cellsOf(rect, columns, firstRow, lastRow)) return false;
        bool touched = false;
        for (int row = firstRow; row <= lastRow && !touched; ++row) touched = (m_cells[static_cast<size_t>(row)] & columns) != 0;
        if (!touched) return false;
    }
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
