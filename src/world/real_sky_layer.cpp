#include "world/real_sky_layer.h"

#include "platform/dirty_region.h"
#include "platform/window.h"
#include "system/rect_ops.h"
#include "util/log.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

// Glow below this share of its colour would not change a pixel.
constexpr float kFaintestGlow = 0.004f;
constexpr int kTileShift = 4;
static_assert(cRealSkyLayer::kTilePixels == 1 << kTileShift, "a tile is found by a shift");

int channelOf(keslPixel p, int shift) { return static_cast<int>((p >> shift) & 0xFFu); }

// Adds a colour scaled by amount (0..1) to a pixel, each channel clamped.
keslPixel added(keslPixel pixel, keslColor colour, float amount) {
    const keslPixel c = toPixel(colour);
    auto one = [&](int shift) {
        const int sum = channelOf(pixel, shift) + static_cast<int>(static_cast<float>(channelOf(c, shift)) * amount + 0.5f);
        return static_cast<keslPixel>(std::min(255, sum)) << shift;
    };
    return one(16) | one(8) | one(0);
}

// The glow's colour scaled by each share it can have, in steps finer than a
// channel's: adding one is a look-up, not three multiplications.
constexpr int kGlowShares = 1024;
const std::array<keslPixel, kGlowShares + 1>& glowSteps() {
    static const std::array<keslPixel, kGlowShares + 1> steps = [] {
        std::array<keslPixel, kGlowShares + 1> table{};
        for (int i = 0; i <= kGlowShares; ++i) {
            table[static_cast<size_t>(i)] = added(0, cRealSkyLayer::kGlowColour, static_cast<float>(i) / kGlowShares);
        }
        return table;
    }();
    return steps;
}

// Adds two pixels channel by channel, each clamped at 255, all three at once.
keslPixel saturatedSum(keslPixel a, keslPixel b) {
    const keslPixel low = (a & 0x7F7F7F7Fu) + (b & 0x7F7F7F7Fu);
    const keslPixel sum = low ^ ((a ^ b) & 0x80808080u);
    const keslPixel carried = ((a & b) | ((a | b) & ~sum)) & 0x80808080u;
    return (sum | ((carried >> 7) * 0xFFu)) & 0x00FFFFFFu;
}

// The rows of one band of the layer, and the tiles its lines mark.
struct LineCanvas {
    keslPixelView pixels;  // the band's rows only
    int top;               // the band's first row in the layer
    std::uint8_t* tiles;
    int tileColumns;
    std::uint8_t mark;  // the bit a tile gets when a line crosses it
    float share;        // of the lines' colour, less as the sky brightens

    void add(int x, int y, float amount) const {
        if (!pixels.contains(x, y) || amount <= 0.0f) return;
        keslPixel& p = pixels.row(y)[x];
        p = added(p, cRealSkyLayer::kLineColour, amount * share);
        tiles[static_cast<size_t>((y + top) >> kTileShift) * static_cast<size_t>(tileColumns) +
              static_cast<size_t>(x >> kTileShift)] |= mark;
    }
};

// An antialiased line (Xiaolin Wu's), added to what is there; only the part
// inside the canvas is walked.
void addLine(const LineCanvas& canvas, float x0, float y0, float x1, float y1) {
    const bool steep = std::fabs(y1 - y0) > std::fabs(x1 - x0);
    if (steep) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const float dx = x1 - x0;
    const float gradient = dx < 1e-6f ? 1.0f : (y1 - y0) / dx;
    const int along = steep ? canvas.pixels.height : canvas.pixels.width;
    const int first = std::max(0, static_cast<int>(std::lround(x0)));
    const int last = std::min(along - 1, static_cast<int>(std::lround(x1)));
    for (int x = first; x <= last; ++x) {
        const float y = y0 + gradient * (static_cast<float>(x) - x0);
        const int iy = static_cast<int>(std::floor(y));
        const float f = y - static_cast<float>(iy);
        if (steep) {
            canvas.add(iy, x, 1.0f - f);
            canvas.add(iy + 1, x, f);
        } else {
            canvas.add(x, iy, 1.0f - f);
            canvas.add(x, iy + 1, f);
        }
    }
}

}  // namespace

cRealSkyLayer::cRealSkyLayer(int width, int height, keslColor baseColour, std::vector<keslPixel> basePixels,
                             size_t maxLines, size_t maxPatches)
    : m_width(width),
      m_height(height),
      m_baseColour(baseColour),
      m_base(std::move(basePixels)),
      m_tileColumns((width + kTilePixels - 1) / kTilePixels),
      m_tileRows((height + kTilePixels - 1) / kTilePixels) {
    if (!m_image.initWithSizeAndColor(width, height, baseColour) || !m_image.pixelView()) {
        logError("#2901: the real sky's layer of %ix%i could not be made", width, height);
        return;
    }
    m_valid = true;
    if (m_base.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) m_base.clear();
    if (!m_base.empty()) paintUnlined(0, height, 0, width);
    m_tiles.assign(static_cast<size_t>(m_tileColumns) * static_cast<size_t>(m_tileRows), 0);
    m_lines.reserve(maxLines);
    m_patches.reserve(maxPatches);
    // A band's row of tiles holds at most one run for every other tile.
    m_changed.reserve(static_cast<size_t>(m_tileColumns / 2 + 1) * kBandTileRows);
}

void cRealSkyLayer::setGlow(const std::vector<float>& grid, int columns, int step, const sRealSkyDaylightGrid& daylight) {
    if (!m_valid || columns < 2 || step < 1 || grid.size() < 2 * static_cast<size_t>(columns)) return;
    // Both grids take their room at once: later turns only swap them.
    for (sGlowGrid* g : {&m_glow, &m_pending}) {
        g->values.reserve(grid.size());
        g->colours.reserve(3 * grid.size());
        g->cellGlows.reserve(grid.size());
    }
    m_pending.values.assign(grid.begin(), grid.end());
    m_pending.colours.clear();
    if (daylight.colours && daylight.colours->size() >= 3 * grid.size()) {
        m_pending.colours.assign(daylight.colours->begin(), daylight.colours->begin() + 3 * grid.size());
    }
    m_pending.baseShare = std::clamp(daylight.baseShare, 0.0f, 1.0f);
    m_pending.lineShare = std::clamp(daylight.lineShare, 0.0f, 1.0f);
    m_pending.columns = columns;
    m_pending.step = step;
    m_glowPending = true;
}

void cRealSkyLayer::adoptPendingGlow() {
    std::swap(m_glow, m_pending);
    m_glowPending = false;
    const int cellColumns = m_glow.cellColumns();
    const int cellRows = m_glow.cellRows();
    m_glow.cellGlows.assign(static_cast<size_t>(cellColumns) * static_cast<size_t>(cellRows), 0);
    for (std::uint8_t& tile : m_tiles) tile = static_cast<std::uint8_t>(tile & ~kGlowNext);
    for (int gy = 0; gy < cellRows && gy * m_glow.step < m_height; ++gy) {
        const float* upper = &m_glow.values[static_cast<size_t>(gy) * static_cast<size_t>(m_glow.columns)];
        const float* lower = upper + m_glow.columns;
        for (int gx = 0; gx < cellColumns && gx * m_glow.step < m_width; ++gx) {
            // Between its corners the glow is no brighter than they are: most of the sky adds nothing.
            const bool glows = std::max({upper[gx], upper[gx + 1], lower[gx], lower[gx + 1]}) > kFaintestGlow;
            if (!glows && !cellLit(gx, gy)) continue;
            m_glow.cellGlows[static_cast<size_t>(gy) * static_cast<size_t>(cellColumns) + gx] = 1;
            markGlowTiles(gx * m_glow.step, gy * m_glow.step, m_glow.step);
        }
    }
}

bool cRealSkyLayer::cellLit(int gx, int gy) const {
    // A faded base changes every pixel, lit or not.
    if (m_glow.baseShare < 1.0f) return true;
    if (m_glow.colours.empty()) return false;
    for (int corner = 0; corner < 4; ++corner) {
        const size_t point = static_cast<size_t>(gy + corner / 2) * static_cast<size_t>(m_glow.columns) + gx + corner % 2;
        const float* rgb = &m_glow.colours[3 * point];
        if (std::max({rgb[0], rgb[1], rgb[2]}) >= 0.5f) return true;
    }
    return false;
}

void cRealSkyLayer::markGlowTiles(int left, int top, int step) {
    const int lastColumn = std::min(m_tileColumns, (left + step + kTilePixels - 1) / kTilePixels) - 1;
    const int lastRow = std::min(m_tileRows, (top + step + kTilePixels - 1) / kTilePixels) - 1;
    for (int row = top / kTilePixels; row <= lastRow; ++row) {
        for (int column = left / kTilePixels; column <= lastColumn; ++column) {
            m_tiles[static_cast<size_t>(row) * static_cast<size_t>(m_tileColumns) + column] |= kGlowNext;
        }
    }
}

void cRealSkyLayer::paintUnlined(int top, int bottom, int left, int right) {
    const int step = m_glow.step;
    const int cellColumns = m_glow.cellColumns();
    const int cellRows = m_glow.cellRows();
    if (cellRows < 1) {
        fillBase(top, bottom, left, right);
        return;
    }
    for (int gy = top / step; gy * step < bottom; ++gy) {
        const int y0 = std::max(top, gy * step), y1 = std::min(bottom, (gy + 1) * step);
        for (int gx = left / step; gx * step < right; ++gx) {
            const int x0 = std::max(left, gx * step), x1 = std::min(right, (gx + 1) * step);
            const size_t cell = static_cast<size_t>(gy) * static_cast<size_t>(cellColumns) + gx;
            if (gy >= cellRows || gx >= cellColumns || m_glow.cellGlows[cell] == 0) {
                fillBase(y0, y1, x0, x1);
                continue;
            }
            const keslRect<int> part(y0, x0, x1 - x0, y1 - y0);
            if (!m_glow.colours.empty() || m_glow.baseShare < 1.0f) {
                fillDaylightCell(gx, gy, part);
                continue;
            }
            const float* upper = &m_glow.values[static_cast<size_t>(gy) * static_cast<size_t>(m_glow.columns) + gx];
            const float corners[4] = {upper[0], upper[1], upper[m_glow.columns], upper[m_glow.columns + 1]};
            fillGlowCell(gx * step, gy * step, corners, part);
        }
    }
}

void cRealSkyLayer::fillGlowCell(int cellLeft, int cellTop, const float* corners, const keslRect<int>& part) {
    const int step = m_glow.step;
    const std::array<keslPixel, kGlowShares + 1>& steps = glowSteps();
    constexpr float kFixed = kGlowShares * 65536.0f;  // 16 bits below a share of the table
    auto fixed = [&](float glow) { return static_cast<std::int32_t>(std::clamp(glow, 0.0f, 1.0f) * kFixed); };
    const keslPixelView pixels = m_image.pixelView();
    fillBase(part.top, part.getBottom(), part.left, part.getRight());
    for (int y = part.top; y < part.getBottom(); ++y) {
        keslPixel* row = pixels.row(y);
        // Down the cell's two sides first, then across a step at a time, from
        // the cell's own edge: a part of a cell gets the pixels the whole would.
        const float ty = static_cast<float>(y - cellTop) / static_cast<float>(step);
        const float leftGlow = corners[0] + (corners[2] - corners[0]) * ty;
        const float rightGlow = corners[1] + (corners[3] - corners[1]) * ty;
        const std::int32_t across = (fixed(rightGlow) - fixed(leftGlow)) / step;
        std::int32_t glow = fixed(leftGlow) + 32768 + across * (part.left - cellLeft);
        for (int x = part.left; x < part.getRight(); ++x, glow += across) {
            row[x] = saturatedSum(row[x], steps[static_cast<size_t>(glow >> 16)]);
        }
    }
}

void cRealSkyLayer::fillDaylightCell(int gx, int gy, const keslRect<int>& part) {
    const int step = m_glow.step;
    const int cellLeft = gx * step, cellTop = gy * step;
    const size_t upper = static_cast<size_t>(gy) * static_cast<size_t>(m_glow.columns) + gx;
    const size_t corner[4] = {upper, upper + 1, upper + m_glow.columns, upper + m_glow.columns + 1};
    // Per corner: the glow's colour by its share, then the sky's, channel by channel.
    float at[4][3];
    const keslPixel glowColour = toPixel(kGlowColour);
    for (int c = 0; c < 4; ++c) {
        const float glow = std::clamp(m_glow.values[corner[c]], 0.0f, 1.0f);
        const float* sky = m_glow.colours.empty() ? nullptr : &m_glow.colours[3 * corner[c]];
        for (int channel = 0; channel < 3; ++channel) {
            const float own = static_cast<float>(channelOf(glowColour, 16 - 8 * channel)) * glow;
            at[c][channel] = own + (sky ? sky[channel] : 0.0f);
        }
    }
    const keslPixelView pixels = m_image.pixelView();
    const int share = static_cast<int>(m_glow.baseShare * 256.0f + 0.5f);
    for (int y = part.top; y < part.getBottom(); ++y) {
        keslPixel* row = pixels.row(y);
        const float ty = static_cast<float>(y - cellTop) / static_cast<float>(step);
        std::int32_t value[3], across[3];
        for (int channel = 0; channel < 3; ++channel) {
            const float left = at[0][channel] + (at[2][channel] - at[0][channel]) * ty;
            const float right = at[1][channel] + (at[3][channel] - at[1][channel]) * ty;
            across[channel] = static_cast<std::int32_t>((right - left) * 65536.0f) / step;
            value[channel] = static_cast<std::int32_t>(left * 65536.0f) + 32768 + across[channel] * (part.left - cellLeft);
        }
        const keslPixel* base = m_base.empty() ? nullptr : &m_base[static_cast<size_t>(y) * static_cast<size_t>(m_width)];
        const keslPixel solid = toPixel(m_baseColour);
        for (int x = part.left; x < part.getRight(); ++x) {
            const keslPixel under = base ? base[x] : solid;
            keslPixel out = 0;
            for (int channel = 0; channel < 3; ++channel) {
                const int shift = 16 - 8 * channel;
                const int sum = ((channelOf(under, shift) * share) >> 8) + (value[channel] >> 16);
                out |= static_cast<keslPixel>(std::clamp(sum, 0, 255)) << shift;
                value[channel] += across[channel];
            }
            row[x] = out;
        }
    }
}

void cRealSkyLayer::begin(const std::vector<sLine>& lines, const std::vector<sPatch>& patches) {
    if (!m_valid) return;
    m_lines.assign(lines.begin(), lines.end());
    m_patches.assign(patches.begin(), patches.end());
    // Bands not yet drawn still show the glow before the last: they too are drawn with the glow's tiles.
    m_glowChanged = m_glowPending || (drawing() && m_glowChanged);
    if (m_glowPending) adoptPendingGlow();
    m_nextBand = 0;
}

const std::vector<keslRect<int>>& cRealSkyLayer::drawBand() {
    m_changed.clear();
    if (!drawing()) return m_changed;
    const int firstRow = m_nextBand * kBandTileRows;
    const int lastRow = std::min(m_tileRows, firstRow + kBandTileRows) - 1;
    const int top = firstRow * kTilePixels;
    const int bottom = std::min(m_height, (lastRow + 1) * kTilePixels);
    m_nextBand = lastRow + 1 < m_tileRows ? m_nextBand + 1 : -1;
    // Only where patches and lines were is the picture not the glow already; when the
    // glow changed, also where it glowed before or glows now. The rest holds
    // the base, and stays.
    const std::uint8_t repaintWhere = m_glowChanged ? (kDrawnNow | kGlowNow | kGlowNext) : kDrawnNow;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = 0; column < m_tileColumns; ++column) {
            std::uint8_t& tile = m_tiles[static_cast<size_t>(row) * static_cast<size_t>(m_tileColumns) + column];
            const bool repaint = (tile & repaintWhere) != 0;
            const bool glowNow = m_glowChanged ? (tile & kGlowNext) != 0 : (tile & kGlowNow) != 0;
            if (repaint) {
                const int tileTop = row * kTilePixels, tileLeft = column * kTilePixels;
                paintUnlined(tileTop, std::min(m_height, tileTop + kTilePixels), tileLeft,
                             std::min(m_width, tileLeft + kTilePixels));
            }
            tile = static_cast<std::uint8_t>((tile & kGlowNext) | (glowNow ? kGlowNow : 0) | (repaint ? kRepainted : 0));
        }
    }
    // Under the lines, as the patches lie farther off than the figures drawn between the stars.
    drawPatches(top, bottom);
    drawLines(top, bottom);
    noteChangedTiles(firstRow, lastRow);
    for (int row = firstRow; row <= lastRow; ++row) {
        std::uint8_t* tiles = &m_tiles[static_cast<size_t>(row) * static_cast<size_t>(m_tileColumns)];
        for (int column = 0; column < m_tileColumns; ++column) tiles[column] &= static_cast<std::uint8_t>(~kRepainted);
    }
    return m_changed;
}

void cRealSkyLayer::finish() {
    while (drawing()) drawBand();
}

void cRealSkyLayer::fillBase(int top, int bottom, int left, int right) {
    const keslPixelView pixels = m_image.pixelView();
    if (!m_base.empty()) {
        for (int y = top; y < bottom; ++y) {
            const keslPixel* from = &m_base[static_cast<size_t>(y) * static_cast<size_t>(m_width)];
            std::copy(from + left, from + right, pixels.row(y) + left);
        }
        return;
    }
    for (int y = top; y < bottom; ++y) std::fill(pixels.row(y) + left, pixels.row(y) + right, toPixel(m_baseColour));
}

void cRealSkyLayer::drawPatches(int top, int bottom) {
    for (const sPatch& patch : m_patches) drawPatch(patch, top, bottom);
}

void cRealSkyLayer::drawPatch(const sPatch& patch, int top, int bottom) {
    const float det = patch.ux * patch.vy - patch.vx * patch.uy;
    if (std::fabs(det) < 1e-6f) return;
    // The box round the ellipse, within the band's rows and the layer's columns.
    const float halfWidth = std::sqrt(patch.ux * patch.ux + patch.vx * patch.vx);
    const float halfHeight = std::sqrt(patch.uy * patch.uy + patch.vy * patch.vy);
    const int y0 = std::max(top, static_cast<int>(std::ceil(patch.y - halfHeight)));
    const int y1 = std::min(bottom - 1, static_cast<int>(std::floor(patch.y + halfHeight)));
    const int x0 = std::max(0, static_cast<int>(std::ceil(patch.x - halfWidth)));
    const int x1 = std::min(m_width - 1, static_cast<int>(std::floor(patch.x + halfWidth)));
    if (y0 > y1 || x0 > x1) return;
    // A pixel's offset from the centre in the axes' own measure: d = s u + t v.
    const float inverse = 1.0f / det;
    const float sPerX = patch.vy * inverse, sPerY = -patch.vx * inverse;
    const float tPerX = -patch.uy * inverse, tPerY = patch.ux * inverse;
    const keslPixelView pixels = m_image.pixelView();
    for (int y = y0; y <= y1; ++y) {
        keslPixel* row = pixels.row(y);
        std::uint8_t* tiles = &m_tiles[static_cast<size_t>(y >> kTileShift) * static_cast<size_t>(m_tileColumns)];
        const float dy = static_cast<float>(y) - patch.y;
        const float dx0 = static_cast<float>(x0) - patch.x;
        float s = sPerX * dx0 + sPerY * dy;
        float t = tPerX * dx0 + tPerY * dy;
        for (int x = x0; x <= x1; ++x, s += sPerX, t += tPerX) {
            const float inside = 1.0f - (s * s + t * t);
            if (inside <= 0.0f) continue;
            const float f = inside * inside * inside;
            const int red = static_cast<int>(patch.red * f + 0.5f);
            const int green = static_cast<int>(patch.green * f + 0.5f);
            const int blue = static_cast<int>(patch.blue * f + 0.5f);
            if ((red | green | blue) == 0) continue;
            const keslPixel p = row[x];
            row[x] = static_cast<keslPixel>(std::min(255, channelOf(p, 16) + red)) << 16 |
                     static_cast<keslPixel>(std::min(255, channelOf(p, 8) + green)) << 8 |
                     static_cast<keslPixel>(std::min(255, channelOf(p, 0) + blue));
            tiles[x >> kTileShift] |= kDrawnNow;
        }
    }
}

void cRealSkyLayer::drawLines(int top, int bottom) {
    const keslPixelView pixels = m_image.pixelView();
    if (m_glow.lineShare <= 0.0f) return;
    const LineCanvas canvas{keslPixelView{pixels.row(top), pixels.width, bottom - top}, top, m_tiles.data(),
                            m_tileColumns, kDrawnNow, m_glow.lineShare};
    for (const sLine& line : m_lines) {
        // A line's antialiasing reaches a row past its ends.
        if (std::max(line.y0, line.y1) + 2.0f < static_cast<float>(top) ||
            std::min(line.y0, line.y1) - 2.0f > static_cast<float>(bottom)) {
            continue;
        }
        addLine(canvas, line.x0, line.y0 - static_cast<float>(top), line.x1, line.y1 - static_cast<float>(top));
    }
}

void cRealSkyLayer::noteChangedTiles(int firstRow, int lastRow) {
    for (int row = firstRow; row <= lastRow; ++row) {
        const std::uint8_t* tiles = &m_tiles[static_cast<size_t>(row) * static_cast<size_t>(m_tileColumns)];
        const int top = row * kTilePixels;
        const int height = std::min(m_height, top + kTilePixels) - top;
        for (int column = 0; column < m_tileColumns;) {
            if ((tiles[column] & (kDrawnNow | kRepainted)) == 0) {
                ++column;
                continue;
            }
            const int start = column;
            while (column < m_tileColumns && (tiles[column] & (kDrawnNow | kRepainted)) != 0) ++column;
            const int left = start * kTilePixels;
            m_changed.push_back(keslRect<int>(top, left, std::min(m_width, column * kTilePixels) - left, height));
        }
    }
}

void cRealSkyLayer::drawOn(keslWindow& window) {
    if (!m_valid) return;
    const keslRect<int> whole(0, 0, m_width, m_height);
    const keslDirtyRegion* region = window.getClipRegion();
    if (!region) {
        drawRect(window, whole);
        return;
    }
    // Each piece is drawn with its own clip, inside one rectangle of the region.
    window.setClipRegion(nullptr);
    for (const keslRect<int>& rect : *region) drawRect(window, keslIntersection(rect, whole));
    window.setClipRegion(region);
}

void cRealSkyLayer::drawRect(keslWindow& window, const keslRect<int>& rect) {
    if (keslIsEmpty(rect)) return;
    const int left = rect.left, right = rect.left + rect.width;
    const int top = rect.top, bottom = rect.top + rect.height;
    const int firstColumn = left / kTilePixels, lastColumn = (right - 1) / kTilePixels;
    auto plainAt = [&](int column, int row) {
        return plain(m_tiles[static_cast<size_t>(row) * static_cast<size_t>(m_tileColumns) + column]);
    };
    int plainTop = -1;  // where the rows of plain tiles not yet filled begin
    auto fillPlainRows = [&](int until) {
        if (plainTop >= 0) window.fillRect(keslRect<int>(plainTop, left, right - left, until - plainTop), m_baseColour);
        plainTop = -1;
    };
    for (int row = top / kTilePixels; row * kTilePixels < bottom; ++row) {
        const int y0 = std::max(top, row * kTilePixels);
        const int y1 = std::min(bottom, (row + 1) * kTilePixels);
        bool rowPlain = true;
        for (int column = firstColumn; rowPlain && column <= lastColumn; ++column) rowPlain = plainAt(column, row);
        // Rows plain across the rectangle are filled together.
        if (rowPlain) {
            if (plainTop < 0) plainTop = y0;
            continue;
        }
        fillPlainRows(y0);
        for (int column = firstColumn; column <= lastColumn;) {
            // A run of tiles alike: all plain base, or all holding glow or lines.
            const bool isPlain = plainAt(column, row);
            const int start = column;
            while (column <= lastColumn && plainAt(column, row) == isPlain) ++column;
            const int x0 = std::max(left, start * kTilePixels);
            const keslRect<int> piece(y0, x0, std::min(right, column * kTilePixels) - x0, y1 - y0);
            if (isPlain) {
                window.fillRect(piece, m_baseColour);
                continue;
            }
            // The layer is the window's size: as a "tile" it is copied straight under the piece.
            const keslPixelView pixels = m_image.pixelView();
            if (pixels && window.drawTiledPixels(pixels, piece)) continue;
            window.setClipRect(&piece);
            m_image.drawOn(&window, 0, 0);
            window.setClipRect(nullptr);
        }
    }
    fillPlainRows(bottom);
}
