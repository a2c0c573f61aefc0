#include "platform/dirty_region.h"

#include <algorithm>
#include <limits>

namespace {

std::int64_t areaOf(const keslRect<int>& r) {
    return keslIsEmpty(r) ? 0 : static_cast<std::int64_t>(r.width) * static_cast<std::int64_t>(r.height);
}

bool near(const keslRect<int>& a, const keslRect<int>& b, int gap) {
    return a.left - gap < b.left + b.width && b.left - gap < a.left + a.width && a.top - gap < b.top + b.height &&
           b.top - gap < a.top + a.height;
}

bool cheapToJoin(const keslRect<int>& a, const keslRect<int>& b) {
    const std::int64_t own = areaOf(a) + areaOf(b);
    const std::int64_t waste = areaOf(keslBoundingBox(a, b)) - own;
    return waste <= std::max<std::int64_t>(keslDirtyRegion::kJoinSlackPixels, own / 4);
}

// The rectangle and the gap around it within which a held one may join it.
keslRect<int> reachOf(const keslRect<int>& r) {
    return keslRect<int>(r.top - keslDirtyRegion::kMergeGap, r.left - keslDirtyRegion::kMergeGap,
                         r.width + 2 * keslDirtyRegion::kMergeGap, r.height + 2 * keslDirtyRegion::kMergeGap);
}

// Cells a power of two wide, so a pixel finds its cell by a shift: the
// smallest such width that fits the span into the grid.
int cellShiftFor(int span) {
    int shift = 0;
    while ((keslDirtyRegion::kGridCells << shift) < span) ++shift;
    return shift;
}

}  // namespace

void keslDirtyRegion::reset(const keslRect<int>& bounds) {
    m_bounds = bounds;
    m_count = 0;
    m_whole = false;
    m_cells.fill(0);
    m_rowRects.fill(RectMask{});
    m_columnRects.fill(RectMask{});
    m_cellShiftX = cellShiftFor(bounds.width);
    m_cellShiftY = cellShiftFor(bounds.height);
}

bool keslDirtyRegion::cellsOf(const keslRect<int>& rect, Cells& cells) const {
    const int left = std::max(rect.left - m_bounds.left, 0);
    const int top = std::max(rect.top - m_bounds.top, 0);
    const int right = std::min(rect.left + rect.width - m_bounds.left, m_bounds.width) - 1;
    const int bottom = std::min(rect.top + rect.height - m_bounds.top, m_bounds.height) - 1;
    if (right < left || bottom < top) return false;
    cells.firstColumn = std::min(left >> m_cellShiftX, kGridCells - 1);
    cells.lastColumn = std::min(right >> m_cellShiftX, kGridCells - 1);
    cells.firstRow = std::min(top >> m_cellShiftY, kGridCells - 1);
    cells.lastRow = std::min(bottom >> m_cellShiftY, kGridCells - 1);
    const int span = cells.lastColumn - cells.firstColumn + 1;
    cells.columns = (span >= 64 ? ~0ull : ((1ull << span) - 1)) << cells.firstColumn;
    return true;
}

bool keslDirtyRegion::touchesCells(const Cells& cells) const {
    for (int row = cells.firstRow; row <= cells.lastRow; ++row) {
        if ((m_cells[static_cast<size_t>(row)] & cells.columns) != 0) return true;
    }
    return false;
}

void keslDirtyRegion::markCells(const Cells& cells) {
    for (int row = cells.firstRow; row <= cells.lastRow; ++row) m_cells[static_cast<size_t>(row)] |= cells.columns;
}

namespace {

// The rectangles crossing any of the lines (rows or columns) from first to last.
template <typename Mask, size_t N>
Mask crossingAny(const std::array<Mask, N>& lines, int first, int last) {
    Mask rects{};
    for (int line = first; line <= last; ++line) {
        const Mask& crossing = lines[static_cast<size_t>(line)];
        for (size_t word = 0; word < rects.size(); ++word) rects[word] |= crossing[word];
    }
    return rects;
}

}  // namespace

keslDirtyRegion::RectMask keslDirtyRegion::rectsNear(const Cells& cells) const {
    RectMask rects = crossingAny(m_rowRects, cells.firstRow, cells.lastRow);
    const RectMask inColumns = crossingAny(m_columnRects, cells.firstColumn, cells.lastColumn);
    for (int word = 0; word < kMaskWords; ++word) rects[static_cast<size_t>(word)] &= inColumns[static_cast<size_t>(word)];
    return rects;
}

void keslDirtyRegion::markRowsAndColumns(const Cells& cells, int index, bool on) {
    const std::uint64_t bit = 1ull << (index % 64);
    const auto word = static_cast<size_t>(index / 64);
    auto mark = [&](std::uint64_t& crossing) { crossing = on ? (crossing | bit) : (crossing & ~bit); };
    for (int row = cells.firstRow; row <= cells.lastRow; ++row) mark(m_rowRects[static_cast<size_t>(row)][word]);
    for (int column = cells.firstColumn; column <= cells.lastColumn; ++column) {
        mark(m_columnRects[static_cast<size_t>(column)][word]);
    }
}

void keslDirtyRegion::markWhole() {
    m_whole = true;
    m_count = 0;
    m_rowRects.fill(RectMask{});
    m_columnRects.fill(RectMask{});
}

// Plain boxes, so that readying the stack costs nothing: a rectangle, having
// a virtual destructor, would fill the whole room on every add.
class keslDirtyRegion::Pending {
public:
    static constexpr int kCapacity = 64;

    bool empty() const { return m_count == 0; }
    bool fits(int more) const { return m_count + more <= kCapacity; }
    void push(const keslRect<int>& r) { m_boxes[static_cast<size_t>(m_count++)] = {r.top, r.left, r.width, r.height}; }
    keslRect<int> pop() {
        const Box& b = m_boxes[static_cast<size_t>(--m_count)];
        return keslRect<int>(b.top, b.left, b.width, b.height);
    }

private:
    struct Box {
        int top;
        int left;
        int width;
        int height;
    };
    std::array<Box, kCapacity> m_boxes;
    int m_count = 0;
};

void keslDirtyRegion::add(const keslRect<int>& rect) {
    if (m_whole) return;
    const keslRect<int> clipped = keslIntersection(rect, m_bounds);
    if (keslIsEmpty(clipped)) return;
    Pending pending;
    pending.push(clipped);
    // Joining and splitting could chase each other round a cluster of
    // rectangles; past a few steps what is left is simply swallowed whole.
    int steps = 0;
    while (!pending.empty()) {
        const keslRect<int> piece = pending.pop();
        if (keslIsEmpty(piece)) continue;
        if (++steps > kMaxPlacingSteps) {
            swallow(piece);
        } else {
            place(piece, pending);
        }
    }
}

void keslDirtyRegion::swallow(keslRect<int> box) {
    for (int i = firstOverlapping(box); i >= 0; i = firstOverlapping(box)) {
        box = keslBoundingBox(box, m_rects[static_cast<size_t>(i)]);
        removeAt(i);
    }
    append(box);
}

int keslDirtyRegion::firstOverlapping(const keslRect<int>& rect) const {
    Cells cells;
    return cellsOf(rect, cells) ? firstOverlapping(rect, cells) : -1;
}

int keslDirtyRegion::firstOverlapping(const keslRect<int>& rect, const Cells& cells) const {
    return findIn(rectsNear(cells), [&](int i) { return keslOverlaps(m_rects[static_cast<size_t>(i)], rect); });
}

void keslDirtyRegion::place(keslRect<int> piece, Pending& pending) {
    Cells reach;
    // Most changes (a twinkling star) are far from every other: kept at once.
    if (!cellsOf(reachOf(piece), reach) || !touchesCells(reach)) {
        append(piece);
        return;
    }
    const bool fitsFourMore = pending.fits(4);
    // A joined box may reach rectangles the parts did not, so look again after every join.
    for (;;) {
        // The first near rectangle the piece overlaps, lies inside, or joins cheaply.
        const int i = findIn(rectsNear(reach), [&](int k) {
            const keslRect<int>& held = m_rects[static_cast<size_t>(k)];
            return near(held, piece, kMergeGap) &&
                   (keslOverlaps(held, piece) || keslContains(piece, held) || cheapToJoin(held, piece));
        });
        if (i < 0) break;
        const keslRect<int> held = m_rects[static_cast<size_t>(i)];
        const bool overlapping = keslOverlaps(held, piece);
        if (overlapping && keslContains(held, piece)) return;
        if (keslContains(piece, held) || cheapToJoin(held, piece) || (overlapping && !fitsFourMore)) {
            piece = keslBoundingBox(piece, held);
            removeAt(i);
            cellsOf(reachOf(piece), reach);
            continue;
        }
        splitAround(piece, held, pending);
        return;
    }
    append(piece);
}

void keslDirtyRegion::splitAround(const keslRect<int>& piece, const keslRect<int>& held, Pending& pending) {
    // Only the parts outside the held rectangle remain: above, below, left and right of it.
    const int pieceRight = piece.left + piece.width;
    const int pieceBottom = piece.top + piece.height;
    const int heldRight = held.left + held.width;
    const int heldBottom = held.top + held.height;
    const int middleTop = std::max(piece.top, held.top);
    const int middleBottom = std::min(pieceBottom, heldBottom);
    auto push = [&](int top, int left, int right, int bottom) {
        if (right > left && bottom > top) pending.push(keslRect<int>(top, left, right - left, bottom - top));
    };
    push(piece.top, piece.left, pieceRight, held.top);
    push(heldBottom, piece.left, pieceRight, pieceBottom);
    push(middleTop, piece.left, held.left, middleBottom);
    push(middleTop, heldRight, pieceRight, middleBottom);
}

void keslDirtyRegion::append(const keslRect<int>& rect) {
    if (m_count < kMaxRects) {
        Cells& cells = m_rectCells[static_cast<size_t>(m_count)];
        // Held rectangles lie inside the bounds: a rectangle outside them is not kept.
        if (!cellsOf(rect, cells)) return;
        markRowsAndColumns(cells, m_count, true);
        markCells(cells);
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
    // Splitting again could want more room than there is: the box swallows whatever it overlaps instead.
    swallow(joined);
}

void keslDirtyRegion::removeAt(int index) {
    const int last = m_count - 1;
    markRowsAndColumns(m_rectCells[static_cast<size_t>(index)], index, false);
    if (index != last) {
        markRowsAndColumns(m_rectCells[static_cast<size_t>(last)], last, false);
        markRowsAndColumns(m_rectCells[static_cast<size_t>(last)], index, true);
        m_rects[static_cast<size_t>(index)] = m_rects[static_cast<size_t>(last)];
        m_rectCells[static_cast<size_t>(index)] = m_rectCells[static_cast<size_t>(last)];
    }
    m_count = last;
}

void keslDirtyRegion::settle() {
    if (m_whole) return;
    if (area() * 100 > areaOf(m_bounds) * kWholeFramePercent) markWhole();
}

bool keslDirtyRegion::intersects(const keslRect<int>& rect) const {
    if (keslIsEmpty(rect)) return false;
    if (m_whole) return keslOverlaps(m_bounds, rect);
    Cells cells;
    return cellsOf(rect, cells) && touchesCells(cells) && firstOverlapping(rect, cells) >= 0;
}

std::int64_t keslDirtyRegion::area() const {
    std::int64_t total = 0;
    for (const keslRect<int>& r : *this) total += areaOf(r);
    return total;
}
