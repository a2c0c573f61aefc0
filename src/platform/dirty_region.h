// The part of a window that changed since it was last shown: disjoint
// rectangles, or the whole window. Rectangles never overlap, so drawing never
// blends one pixel twice: a new rectangle joins a neighbour when their
// bounding box wastes little, and otherwise only its parts outside the
// rectangles already there are kept. When more than about 40 % of the window
// would change, drawing it whole is cheaper than keeping track. A coarse grid
// of the touched cells answers "does this sprite touch the region?" for the
// thousands of stars that do not without looking at every rectangle, and
// masks of the rectangles crossing each grid row and each grid column name,
// together, the few worth looking at for those that might. Fixed capacity: a
// frame allocates nothing.
#pragma once

#include "system/rect.h"
#include "system/rect_ops.h"
#include "util/bits.h"

#include <array>
#include <cstdint>

class keslDirtyRegion {
public:
    // Room for every star twinkling at once in a message; beyond it rectangles join.
    static constexpr int kMaxRects = 256;
    // The grid has this many cells a side, whatever the window's size.
    static constexpr int kGridCells = 64;
    // Rectangles this close (in pixels) may join: fewer, larger rectangles cost less than many small ones...
    static constexpr int kMergeGap = 8;
    // ...when their bounding box adds no more than this many pixels, or a quarter of their own.
    static constexpr int kJoinSlackPixels = 1024;
    static constexpr int kMaxPlacingSteps = 32;
    static constexpr int kWholeFramePercent = 40;

    // Starts whole: nothing has been shown yet.
    keslDirtyRegion() = default;

    // Empty, inside these bounds (the window's client area).
    void reset(const keslRect<int>& bounds);
    void markWhole();
    // Clipped to the bounds; joins near neighbours or keeps only what they do not hold.
    void add(const keslRect<int>& rect);
    // Becomes whole when the rectangles cover more than 40 % of the bounds.
    void settle();

    bool isWhole() const { return m_whole; }
    bool empty() const { return !m_whole && m_count == 0; }
    int count() const { return m_whole ? 1 : m_count; }
    const keslRect<int>* begin() const { return m_whole ? &m_bounds : m_rects.data(); }
    const keslRect<int>* end() const { return begin() + count(); }
    bool intersects(const keslRect<int>& rect) const;
    // Calls visit(held) for each rectangle sharing a pixel with rect, in the
    // order they are held (the bounds when whole).
    template <typename Visit>
    void forEachOverlapping(const keslRect<int>& rect, Visit&& visit) const;
    std::int64_t area() const;
    const keslRect<int>& bounds() const { return m_bounds; }
    // The grid, for callers that file their own points by it: a cell is
    // 2^shift pixels a side from the bounds' corner, and per row a bit marks
    // each column some rectangle touched (merges may leave extra cells marked).
    int cellShiftX() const { return m_cellShiftX; }
    int cellShiftY() const { return m_cellShiftY; }
    std::uint64_t touchedCells(int row) const { return m_whole ? ~0ull : m_cells[static_cast<size_t>(row)]; }

private:
    static constexpr int kMaskWords = kMaxRects / 64;
    // One bit per held rectangle, by its index.
    using RectMask = std::array<std::uint64_t, kMaskWords>;

    // Where a rectangle lies on the grid: its columns as a mask, and its first and last column and row.
    struct Cells {
        std::uint64_t columns = 0;
        int firstColumn = 0;
        int lastColumn = -1;
        int firstRow = 0;
        int lastRow = -1;
    };

    // Pieces still to place while one rectangle is added.
    class Pending;

    // The rectangles crossing both a grid row and a grid column the cells span:
    // every one that may share a pixel with them, and few that do not.
    RectMask rectsNear(const Cells& cells) const;
    // Sets or clears the index's bit in the rows and columns the cells span.
    void markRowsAndColumns(const Cells& cells, int index, bool on);
    void append(const keslRect<int>& rect);
    // Stores the bounding box of the rectangle and every one it overlaps.
    void swallow(keslRect<int> box);
    // The index of the first held rectangle sharing a pixel with rect, or -1.
    int firstOverlapping(const keslRect<int>& rect) const;
    int firstOverlapping(const keslRect<int>& rect, const Cells& cells) const;
    // The first index in the mask, in order, for which found(index) is true; -1 when none is.
    template <typename Found>
    static int findIn(const RectMask& mask, Found&& found);
    // Places one piece: kept as it is when far from the others, else joined
    // or split around them; parts still to place go on the pending stack.
    void place(keslRect<int> piece, Pending& pending);
    // Pushes the parts of piece outside held (which it overlaps) onto the pending stack.
    static void splitAround(const keslRect<int>& piece, const keslRect<int>& held, Pending& pending);
    void removeAt(int index);
    void markCells(const Cells& cells);
    // Whether a marked cell lies among the cells (true for those of every rectangle that overlaps one held).
    bool touchesCells(const Cells& cells) const;
    // False when the rectangle lies outside the bounds.
    bool cellsOf(const keslRect<int>& rect, Cells& cells) const;

    keslRect<int> m_bounds;
    std::array<keslRect<int>, kMaxRects> m_rects;
    // Each held rectangle's cells, so that removing it needs no grid arithmetic.
    std::array<Cells, kMaxRects> m_rectCells;
    int m_count = 0;
    bool m_whole = true;
    // Per grid row, the cells some rectangle touched (merges leave cells marked: a superset).
    std::array<std::uint64_t, kGridCells> m_cells{};
    std::array<RectMask, kGridCells> m_rowRects{};
    std::array<RectMask, kGridCells> m_columnRects{};
    // A cell is 2^shift pixels wide and high.
    int m_cellShiftX = 0;
    int m_cellShiftY = 0;
};

template <typename Visit>
void keslDirtyRegion::forEachOverlapping(const keslRect<int>& rect, Visit&& visit) const {
    if (keslIsEmpty(rect)) return;
    if (m_whole) {
        if (keslOverlaps(m_bounds, rect)) visit(m_bounds);
        return;
    }
    Cells cells;
    if (!cellsOf(rect, cells) || !touchesCells(cells)) return;
    findIn(rectsNear(cells), [&](int i) {
        const keslRect<int>& held = m_rects[static_cast<size_t>(i)];
        if (keslOverlaps(held, rect)) visit(held);
        return false;
    });
}

template <typename Found>
int keslDirtyRegion::findIn(const RectMask& mask, Found&& found) {
    for (int word = 0; word < kMaskWords; ++word) {
        for (std::uint64_t bits = mask[static_cast<size_t>(word)]; bits != 0; bits &= bits - 1) {
            const int index = word * 64 + keslLowestBit(bits);
            if (found(index)) return index;
        }
    }
    return -1;
}
