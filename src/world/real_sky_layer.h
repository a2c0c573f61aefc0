// The real sky's background: the base, the Milky Way's glow on it, the soft
// patches of the brightest deep-sky objects, and the faint constellation
// lines on that. When the sky has turned a pixel, the layer is drawn anew a
// band of rows at a time, one band a frame: within a band only the tiles the
// patches and lines covered before or cover now are touched, so a frame
// redraws a few strips instead of the whole window. Between two
// bands a line may stand a pixel apart from its other half for a frame;
// nobody sees that. When the glow changes, a band is drawn again where it
// glowed before or glows now; the dark rest of the sky stays. The layer
// without its lines is worked out again from the glow's grid wherever it is
// needed, so no second picture of the window's size is kept.
// On a solid base most tiles hold nothing but the base: they are filled,
// not copied, so drawing a frame's scattered changes reads little of the
// layer's memory. By day and in twilight the sky's own colour, given on the
// glow's grid, is added over the base, which fades with the lines.
#pragma once

#include "platform/image.h"
#include "platform/pixels.h"
#include "system/rect.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class keslWindow;

// The daylight of a drawing: the sky's colour on the glow's grid (red,
// green, blue per point, 0..255; none at night), and the shares of the base
// and of the lines' colour that are left.
struct sRealSkyDaylightGrid {
    const std::vector<float>* colours = nullptr;
    float baseShare = 1.0f;
    float lineShare = 1.0f;
};

class cRealSkyLayer {
public:
    struct sLine {
        float x0, y0, x1, y1;
    };
    // A soft elliptical patch, brightest at its centre and nothing at its
    // edge: the points centre + cos(a) u + sin(a) v. What it adds at its
    // centre, per channel (0..255); it falls off as (1 - r^2)^3, r being 1 at
    // the edge, a Gaussian's look without its endless tail.
    struct sPatch {
        float x, y;
        float ux, uy, vx, vy;
        float red, green, blue;
    };
    static constexpr keslColor kLineColour = 0x1C2640FFu;  // added to the sky under a line
    static constexpr keslColor kGlowColour = 0x222A3CFFu;  // the brightest band's glow, added
    // Tiles a line marks, in pixels a side; bands of this many tile rows.
    static constexpr int kTilePixels = 16;
    static constexpr int kBandTileRows = 8;

    // The base is a solid colour, or a picture of the layer's size.
    cRealSkyLayer(int width, int height, keslColor baseColour, std::vector<keslPixel> basePixels, size_t maxLines,
                  size_t maxPatches = 0);

    explicit operator bool() const { return m_valid; }
    // The glow of the next drawing: a grid of shares of the glow's colour,
    // one value every step pixels, smoothed between them.
    void setGlow(const std::vector<float>& grid, int columns, int step, const sRealSkyDaylightGrid& daylight = sRealSkyDaylightGrid());
    // Starts drawing the layer anew with these lines and patches, and the
    // glow when it was set since; a drawing still under way goes on with them.
    void begin(const std::vector<sLine>& lines, const std::vector<sPatch>& patches = {});
    bool drawing() const { return m_nextBand >= 0; }
    // The most parts of the window one band can change.
    size_t changesPerBand() const { return m_changed.capacity(); }
    // Draws the next band; returns the parts of the window it changed.
    const std::vector<keslRect<int>>& drawBand();
    // Draws every band left at once.
    void finish();
    // Onto the window, inside its clip region when it has one.
    void drawOn(keslWindow& window);
    keslImage& image() { return m_image; }

private:
    // A grid of shares of the glow's colour, and per cell whether it adds anything.
    struct sGlowGrid {
        std::vector<float> values;
        std::vector<float> colours;  // the sky's own, three per point; empty at night
        float baseShare = 1.0f;
        float lineShare = 1.0f;
        int columns = 0;
        int step = 1;
        std::vector<std::uint8_t> cellGlows;
        int cellColumns() const { return columns - 1; }
        int cellRows() const { return columns > 1 ? static_cast<int>(values.size()) / columns - 1 : 0; }
    };
    // The glow set last becomes the one the layer is drawn with; its tiles are marked.
    void adoptPendingGlow();
    // The layer without its lines, worked out from the base and the glow's grid.
    void paintUnlined(int top, int bottom, int left, int right);
    // The base over part of one cell of the glow's grid, and the glow smoothed between the cell's corners.
    void fillGlowCell(int cellLeft, int cellTop, const float* corners, const keslRect<int>& part);
    // The same with the sky's colour added over the faded base.
    void fillDaylightCell(int gx, int gy, const keslRect<int>& part);
    bool cellLit(int gx, int gy) const;
    void fillBase(int top, int bottom, int left, int right);
    void drawPatches(int top, int bottom);
    void drawPatch(const sPatch& patch, int top, int bottom);
    void drawLines(int top, int bottom);
    void noteChangedTiles(int firstRow, int lastRow);
    // Marks the tiles under a cell of the glow's grid as glowing in the next drawing.
    void markGlowTiles(int left, int top, int step);
    // Fills the plain runs of tiles in rect and copies the others.
    void drawRect(keslWindow& window, const keslRect<int>& rect);
    bool plain(std::uint8_t tile) const { return m_base.empty() && (tile & (kDrawnNow | kGlowNow)) == 0; }

    int m_width;
    int m_height;
    bool m_valid = false;
    keslImage m_image;
    keslColor m_baseColour;
    std::vector<keslPixel> m_base;     // the gradient's pixels; empty for a solid base
    sGlowGrid m_glow;     // the glow the layer is drawn with
    sGlowGrid m_pending;  // set, not yet begun
    std::vector<sLine> m_lines;
    std::vector<sPatch> m_patches;
    int m_tileColumns;
    int m_tileRows;
    // Per tile, what lies on it.
    static constexpr std::uint8_t kDrawnNow = 1;     // patches or lines, in the image
    static constexpr std::uint8_t kRepainted = 2;    // drawn again in the band being drawn
    static constexpr std::uint8_t kGlowNow = 4;      // glow, in the image
    static constexpr std::uint8_t kGlowNext = 8;     // glow, in the glow set for the next drawing
    std::vector<std::uint8_t> m_tiles;
    std::vector<keslRect<int>> m_changed;
    int m_nextBand = -1;
    bool m_glowPending = false;
    // Every band is drawn whole: the glow under it changed.
    bool m_glowChanged = false;
};
