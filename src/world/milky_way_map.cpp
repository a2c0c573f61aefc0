#include "world/milky_way_map.h"

#include "astro/astro_time.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kCellDegrees = 360.0 / cMilkyWayMap::kColumns;
// Cells either side of a blurred one, and how often the box is passed over.
constexpr int kBlurCells = 3;
constexpr int kBlurPasses = 2;

}  // namespace

cMilkyWayMap::cMilkyWayMap(const sStarCatalogue& catalogue)
    : m_cells(static_cast<size_t>(kColumns) * kRows, 0.0f) {
    std::vector<float> crossings;
    for (int level = 1; level <= kLevels; ++level) fillLevel(catalogue, level, crossings);
    for (float& c : m_cells) c /= kLevels;
    for (int pass = 0; pass < kBlurPasses; ++pass) blur();
}

// A box blur along the rows (wrapping round in right ascension), then down the columns.
void cMilkyWayMap::blur() {
    std::vector<float> line(static_cast<size_t>(std::max(kColumns, kRows)));
    const float share = 1.0f / (2 * kBlurCells + 1);
    for (int row = 0; row < kRows; ++row) {
        float* cells = &m_cells[static_cast<size_t>(row) * kColumns];
        std::copy(cells, cells + kColumns, line.begin());
        for (int column = 0; column < kColumns; ++column) {
            float sum = 0.0f;
            for (int d = -kBlurCells; d <= kBlurCells; ++d) sum += line[static_cast<size_t>((column + d + kColumns) % kColumns)];
            cells[column] = sum * share;
        }
    }
    for (int column = 0; column < kColumns; ++column) {
        for (int row = 0; row < kRows; ++row) line[static_cast<size_t>(row)] = m_cells[static_cast<size_t>(row) * kColumns + column];
        for (int row = 0; row < kRows; ++row) {
            float sum = 0.0f;
            for (int d = -kBlurCells; d <= kBlurCells; ++d) sum += line[static_cast<size_t>(std::clamp(row + d, 0, kRows - 1))];
            m_cells[static_cast<size_t>(row) * kColumns + column] = sum * share;
        }
    }
}

// Every column's crossings with the level's outlines, at the column's middle;
// between the first and second crossing from the south pole lies band, and
// so on. An edge across RA 0/360 is taken in both of its unwrapped copies.
void cMilkyWayMap::fillLevel(const sStarCatalogue& catalogue, int level, std::vector<float>& crossings) {
    for (int column = 0; column < kColumns; ++column) {
        const double ra = (column + 0.5) * kCellDegrees;
        crossings.clear();
        for (size_t r = 0; r < catalogue.milkyWayRingCount; ++r) {
            const sMilkyWayRing& ring = catalogue.milkyWayRings[r];
            if (ring.level != level) continue;
            for (int i = 0; i < ring.count; ++i) {
                const sSkyPoint& a = catalogue.milkyWayPoints[ring.first + i];
                const sSkyPoint& b = catalogue.milkyWayPoints[ring.first + (i + 1) % ring.count];
                double ra1 = a.raDeg, ra2 = b.raDeg;
                if (ra2 - ra1 > 180.0) ra2 -= 360.0;
                if (ra1 - ra2 > 180.0) ra2 += 360.0;
                for (double shift : {-360.0, 0.0, 360.0}) {
                    const double lo = std::min(ra1, ra2) + shift, hi = std::max(ra1, ra2) + shift;
                    // Half-open, so a vertex on the column counts once.
                    if (!(ra >= lo && ra < hi)) continue;
                    const double t = (ra - (ra1 + shift)) / (ra2 - ra1);
                    crossings.push_back(static_cast<float>(a.decDeg + t * (b.decDeg - a.decDeg)));
                }
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t c = 0; c + 1 < crossings.size(); c += 2) {
            const int from = std::max(0, static_cast<int>(std::lround((crossings[c] + 90.0) / kCellDegrees)));
            const int to = std::min(kRows, static_cast<int>(std::lround((crossings[c + 1] + 90.0) / kCellDegrees)));
            for (int row = from; row < to; ++row) m_cells[static_cast<size_t>(row * kColumns + column)] += 1.0f;
        }
    }
}

float cMilkyWayMap::brightnessAt(double raDeg, double decDeg) const {
    const double fx = normalizedDegrees(raDeg) / kCellDegrees - 0.5;
    const double fy = std::clamp((decDeg + 90.0) / kCellDegrees - 0.5, 0.0, kRows - 1.0);
    const int x0 = static_cast<int>(std::floor(fx));
    const int y0 = static_cast<int>(fy);
    const float tx = static_cast<float>(fx - x0), ty = static_cast<float>(fy - y0);
    const int xa = (x0 + kColumns) % kColumns, xb = (x0 + 1) % kColumns;
    const int ya = y0, yb = std::min(y0 + 1, kRows - 1);
    const float top = cell(xa, ya) * (1 - tx) + cell(xb, ya) * tx;
    const float bottom = cell(xa, yb) * (1 - tx) + cell(xb, yb) * tx;
    return top * (1 - ty) + bottom * ty;
}

cMilkyWayGlowGrid::cMilkyWayGlowGrid(const sSkyProjection& projection)
    : m_columns(projection.width / kStep + 2), m_rows(projection.height / kStep + 2) {
    m_glow.assign(static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows), 0.0f);
    m_points.reserve(m_glow.size());
    for (int gy = 0; gy < m_rows; ++gy) {
        for (int gx = 0; gx < m_columns; ++gx) {
            const sVec3 d = directionOfPixel(projection, gx * kStep, gy * kStep);
            const double altDeg = d.z > 0.0 ? std::asin(std::min(1.0, d.z)) * kRadToDeg : 0.0;
            const double fade = std::min(1.0, altDeg / kHorizonFadeDeg);
            m_points.push_back(
                {static_cast<float>(d.x), static_cast<float>(d.y), static_cast<float>(d.z), static_cast<float>(fade)});
        }
    }
}

void cMilkyWayGlowGrid::render(const cMilkyWayMap& map, const sMat3& j2000ToHorizon) {
    // Single precision: the glow is blurred over degrees, and thirty thousand points want it quick.
    float m[3][3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) m[i][j] = static_cast<float>(j2000ToHorizon.m[j][i]);  // horizon to J2000
    }
    constexpr float kToDeg = static_cast<float>(kRadToDeg);
    for (size_t i = 0; i < m_points.size(); ++i) {
        const sGlowPoint& p = m_points[i];
        if (p.fade <= 0.0f) {
            m_glow[i] = 0.0f;
            continue;
        }
        const float x = m[0][0] * p.east + m[0][1] * p.north + m[0][2] * p.up;
        const float y = m[1][0] * p.east + m[1][1] * p.north + m[1][2] * p.up;
        const float z = m[2][0] * p.east + m[2][1] * p.north + m[2][2] * p.up;
        const float ra = std::atan2(y, x) * kToDeg;
        const float dec = std::asin(std::clamp(z, -1.0f, 1.0f)) * kToDeg;
        m_glow[i] = map.brightnessAt(ra, dec) * p.fade;
    }
}
