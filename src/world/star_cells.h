// The real sky's stars filed by the cells of a dirty region's grid that
// their largest picture may cover, so a frame finds the stars under its
// changes by walking the few cells it touched instead of asking each of a
// thousand stars. Filed anew when the stars move; storage reserved once.
#pragma once

#include "platform/dirty_region.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

class cStarCells {
public:
    explicit cStarCells(size_t capacity);

    // Files points (with fields x and y) whose pictures reach this far from
    // them, by the cells of the region's grid.
    template <typename Points>
    void file(const Points& points, int reach, const keslDirtyRegion& region);
    // Whether the filing holds for this region's grid (it does not once the points moved).
    bool fits(const keslDirtyRegion& region) const;
    void invalidate() { m_valid = false; }
    // Sets the bit (by index) of every point filed under a cell the region touched.
    void markTouched(const keslDirtyRegion& region, std::vector<std::uint64_t>& marks) const;

private:
    static constexpr int kCells = keslDirtyRegion::kGridCells;
    // Calls visit(cell) for each cell the point's picture may cover.
    template <typename Visit>
    void forEachCell(int x, int y, Visit&& visit) const;

    bool m_valid = false;
    keslRect<int> m_bounds;
    int m_shiftX = 0;
    int m_shiftY = 0;
    int m_reach = 0;
    std::vector<std::uint32_t> m_first;  // per cell, where its points start; one more at the end
    std::vector<std::uint32_t> m_points;
};

template <typename Visit>
void cStarCells::forEachCell(int x, int y, Visit&& visit) const {
    auto cell = [](int v, int shift) { return std::clamp(v >> shift, 0, kCells - 1); };
    const int x0 = x - m_reach - m_bounds.left, y0 = y - m_reach - m_bounds.top;
    const int x1 = x + m_reach - m_bounds.left, y1 = y + m_reach - m_bounds.top;
    if (x1 < 0 || y1 < 0 || x0 >= m_bounds.width || y0 >= m_bounds.height) return;
    for (int row = cell(std::max(y0, 0), m_shiftY); row <= cell(y1, m_shiftY); ++row) {
        for (int column = cell(std::max(x0, 0), m_shiftX); column <= cell(x1, m_shiftX); ++column) {
            visit(static_cast<size_t>(row * kCells + column));
        }
    }
}

template <typename Points>
void cStarCells::file(const Points& points, int reach, const keslDirtyRegion& region) {
    m_valid = true;
    m_bounds = region.bounds();
    m_shiftX = region.cellShiftX();
    m_shiftY = region.cellShiftY();
    m_reach = reach;
    std::fill(m_first.begin(), m_first.end(), 0u);
    for (const auto& p : points) forEachCell(p.x, p.y, [&](size_t cell) { ++m_first[cell + 1]; });
    for (size_t c = 1; c < m_first.size(); ++c) m_first[c] += m_first[c - 1];
    m_points.resize(m_first.back());
    // Filing moves each cell's start on to the next cell's; the cells are walked back afterwards.
    for (std::uint32_t i = 0; i < points.size(); ++i) {
        forEachCell(points[i].x, points[i].y, [&](size_t cell) { m_points[m_first[cell]++] = i; });
    }
    for (size_t c = m_first.size() - 1; c > 0; --c) m_first[c] = m_first[c - 1];
    m_first[0] = 0;
}
