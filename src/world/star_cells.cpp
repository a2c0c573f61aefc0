#include "world/star_cells.h"

#include "util/bits.h"

cStarCells::cStarCells(size_t capacity) : m_first(static_cast<size_t>(kCells) * kCells + 1, 0u) {
    // A picture no larger than a cell covers at most four.
    m_points.reserve(4 * capacity);
}

bool cStarCells::fits(const keslDirtyRegion& region) const {
    return m_valid && region.bounds() == m_bounds && region.cellShiftX() == m_shiftX &&
           region.cellShiftY() == m_shiftY;
}

void cStarCells::markTouched(const keslDirtyRegion& region, std::vector<std::uint64_t>& marks) const {
    for (int row = 0; row < kCells; ++row) {
        for (std::uint64_t columns = region.touchedCells(row); columns != 0; columns &= columns - 1) {
            const size_t cell = static_cast<size_t>(row * kCells + keslLowestBit(columns));
            for (std::uint32_t k = m_first[cell]; k < m_first[cell + 1]; ++k) {
                marks[m_points[k] / 64] |= 1ull << (m_points[k] % 64);
            }
        }
    }
}
