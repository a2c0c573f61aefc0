// The layer is drawn anew a band at a time, touching only where patches and lines
// were or are: when the last band is done it must be exactly the layer a fresh
// drawing makes, and every pixel that changed on the way must lie in a part
// the bands reported, or the screen keeps a ghost of the old lines. On the
// window, tiles of plain base are filled rather than copied: what it shows
// must still be the layer's every pixel. On a gradient base, what the glow
// leaves must come back as the gradient. Dusk falling or lifting repaints
// every tile, as the sky's colour and the faded base change them all.
#include "platform/test_window.h"
#include "world/real_sky_layer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 300;  // three bands
constexpr int kStep = 6;  // cells that do not line up with tiles
constexpr int kColumns = kWidth / kStep + 2;
constexpr int kRows = kHeight / kStep + 2;
constexpr keslColor kBase = 0x050810FFu;

using Lines = std::vector<cRealSkyLayer::sLine>;
using Patches = std::vector<cRealSkyLayer::sPatch>;

// A diagonal band of glow whose middle runs through (centre, 0) and leans to the right.
std::vector<float> glowBand(float centre) {
    std::vector<float> grid(static_cast<size_t>(kColumns) * kRows);
    for (int gy = 0; gy < kRows; ++gy) {
        for (int gx = 0; gx < kColumns; ++gx) {
            const float off = static_cast<float>(gx * kStep) - centre - 0.4f * static_cast<float>(gy * kStep);
            grid[static_cast<size_t>(gy) * kColumns + gx] = std::exp(-off * off / 1800.0f);
        }
    }
    return grid;
}

// A twilight sky: bluer overhead, warmer low down, over half the base, the lines a third as bright.
std::vector<float> duskColours() {
    std::vector<float> colours(3 * static_cast<size_t>(kColumns) * kRows);
    for (int gy = 0; gy < kRows; ++gy) {
        for (int gx = 0; gx < kColumns; ++gx) {
            float* rgb = &colours[3 * (static_cast<size_t>(gy) * kColumns + gx)];
            rgb[0] = 2.0f * gy;
            rgb[1] = 20.0f + 0.5f * gx;
            rgb[2] = 60.0f;
        }
    }
    return colours;
}

Lines shifted(const Lines& lines, float dx, float dy) {
    Lines moved = lines;
    for (auto& l : moved) {
        l.x0 += dx;
        l.x1 += dx;
        l.y0 += dy;
        l.y1 += dy;
    }
    return moved;
}

std::vector<keslPixel> gradient() {
    std::vector<keslPixel> base(static_cast<size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) base[static_cast<size_t>(y) * kWidth + x] = toPixel(makeColor(x / 8, y / 12, 40));
    }
    return base;
}

// Off the lines, the base plus the glow's colour by the grid's share, smoothed between its points.
int worstGlowError(cRealSkyLayer& layer, const std::vector<float>& glow, const std::vector<keslPixel>& base) {
    int worst = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int gx = x / kStep, gy = y / kStep;
            const float fx = static_cast<float>(x % kStep) / kStep, fy = static_cast<float>(y % kStep) / kStep;
            auto at = [&](int i, int j) { return glow[static_cast<size_t>(gy + j) * kColumns + gx + i]; };
            const float share = (at(0, 0) * (1 - fx) + at(1, 0) * fx) * (1 - fy) + (at(0, 1) * (1 - fx) + at(1, 1) * fx) * fy;
            const keslColor under = base.empty() ? kBase : fromPixel(base[static_cast<size_t>(y) * kWidth + x]);
            const keslColor seen = layer.image().getPixel(x, y);
            for (int shift : {24, 16, 8}) {
                const int added = static_cast<int>(((cRealSkyLayer::kGlowColour >> shift) & 0xFF) * share + 0.5f);
                const int wanted = std::min(255, static_cast<int>((under >> shift) & 0xFF) + added);
                worst = std::max(worst, std::abs(static_cast<int>((seen >> shift) & 0xFF) - wanted));
            }
        }
    }
    return worst;
}

std::vector<keslPixel> pixelsOf(cRealSkyLayer& layer) {
    const keslPixelView view = layer.image().pixelView();
    std::vector<keslPixel> pixels;
    for (int y = 0; y < view.height; ++y) pixels.insert(pixels.end(), view.row(y), view.row(y) + view.width);
    return pixels;
}

TEST(RealSkyLayer, BandByBandEndsAsAFreshLayerAndReportsEveryPixelItChanged) {
    const Lines lines = {{10, 10, 190, 290}, {20, 150, 180, 160}, {100, 5, 105, 295}, {5, 280, 60, 120}};
    struct Case {
        const char* what;
        Lines next;
        bool newGlow;
        Lines interrupting;  // when not empty: begun after the first band of next
        bool onGradient = false;
        bool duskBefore = false;
        bool duskAfter = false;
        Patches patchesBefore = {};
        Patches patchesNext = {};
    };
    // A big slanted patch over two bands' border and a small round one.
    const Patches patches = {{60.5f, 120.0f, 30.0f, 12.0f, -6.0f, 15.0f, 40.0f, 36.0f, 44.0f},
                             {150.0f, 230.0f, 4.0f, 0.0f, 0.0f, 4.0f, 20.0f, 22.0f, 30.0f}};
    const Patches patchesOn = {{62.5f, 121.0f, 30.0f, 12.0f, -6.0f, 15.0f, 40.0f, 36.0f, 44.0f},
                               {152.0f, 231.0f, 4.0f, 0.0f, 0.0f, 4.0f, 20.0f, 22.0f, 30.0f}};
    const Case cases[] = {
        {"lines a pixel on", shifted(lines, 1.0f, 0.5f), false, {}},
        {"lines gone", {}, false, {}},
        {"glow and lines moved", shifted(lines, 1.0f, 0.0f), true, {}},
        {"a second turn before the first was done", shifted(lines, 1.0f, 0.0f), true, shifted(lines, 2.0f, 0.0f)},
        {"glow moved and lines gone on a gradient", {}, true, {}, true},
        {"dusk falls", lines, true, {}, false, false, true},
        {"dusk falls on a gradient", shifted(lines, 1.0f, 0.0f), true, {}, true, false, true},
        {"night comes", lines, true, {}, false, true, false},
        {"patches two pixels on", lines, false, {}, false, false, false, patches, patchesOn},
        {"patches gone", lines, false, {}, false, false, false, patches, {}},
        {"patches and glow come with the night", lines, true, {}, false, true, false, {}, patches},
    };
    const std::vector<float> colours = duskColours();
    const sRealSkyDaylightGrid dusk{&colours, 0.5f, 0.3f};
    for (const Case& c : cases) {
        const std::vector<keslPixel> base = c.onGradient ? gradient() : std::vector<keslPixel>{};
        cRealSkyLayer layer(kWidth, kHeight, kBase, base, 8);
        layer.setGlow(glowBand(40.0f), kColumns, kStep, c.duskBefore ? dusk : sRealSkyDaylightGrid());
        layer.begin(lines, c.patchesBefore);
        layer.finish();
        const std::vector<keslPixel> before = pixelsOf(layer);

        // Far enough that cells lit before are dark now and must show the base again.
        const std::vector<float> glow = glowBand(c.newGlow ? 140.0f : 40.0f);
        const sRealSkyDaylightGrid daylight = c.duskAfter ? dusk : sRealSkyDaylightGrid();
        if (c.newGlow) layer.setGlow(glow, kColumns, kStep, daylight);
        layer.begin(c.next, c.patchesNext);
        std::vector<keslRect<int>> reported;
        for (int band = 0; layer.drawing(); ++band) {
            for (const keslRect<int>& r : layer.drawBand()) reported.push_back(r);
            if (band == 0 && !c.interrupting.empty()) layer.begin(c.interrupting);
        }
        const Lines& last = c.interrupting.empty() ? c.next : c.interrupting;

        cRealSkyLayer fresh(kWidth, kHeight, kBase, base, 8);
        fresh.setGlow(glow, kColumns, kStep, daylight);
        fresh.begin(last, c.patchesNext);
        fresh.finish();
        const std::vector<keslPixel> after = pixelsOf(layer);
        EXPECT_EQ(after, pixelsOf(fresh)) << c.what;
        if (last.empty() && c.patchesNext.empty() && !c.duskAfter) {
            EXPECT_LE(worstGlowError(layer, glow, base), 1) << c.what;
        }

        int changed = 0, unreported = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const size_t i = static_cast<size_t>(y) * kWidth + x;
                if (before[i] == after[i]) continue;
                ++changed;
                bool inside = false;
                for (const keslRect<int>& r : reported) {
                    inside = inside || (x >= r.left && x < r.getRight() && y >= r.top && y < r.getBottom());
                }
                unreported += inside ? 0 : 1;
            }
        }
        EXPECT_GT(changed, 300) << c.what;
        EXPECT_EQ(unreported, 0) << c.what;

        auto test = makeTestWindow(kWidth, kHeight);
        keslWindow& window = test->window();
        window.clearWithColor(0xFF00FFFFu);
        layer.drawOn(window);
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) wrong += window.getPixel(x, y) == layer.image().getPixel(x, y) ? 0 : 1;
        }
        EXPECT_EQ(wrong, 0) << c.what << ": pixels the window shows otherwise than the layer";
    }
}

// Over the base, faded to its share, the sky adds its colour and the glow
// its own; the lines add a share of theirs.
TEST(RealSkyLayer, TwilightAddsTheSkysColourOverTheFadedBase) {
    const std::vector<float> noGlow(static_cast<size_t>(kColumns) * kRows, 0.0f);
    std::vector<float> colours(3 * noGlow.size());
    for (size_t i = 0; i < noGlow.size(); ++i) {
        colours[3 * i] = 10.0f;
        colours[3 * i + 1] = 20.0f;
        colours[3 * i + 2] = 250.0f;
    }
    const struct {
        const char* what;
        float baseShare;
        keslColor wanted;  // away from the line
    } cases[] = {
        {"half the base", 0.5f, 0x0C18FFFFu},  // 0x05/2+10, 0x08/2+20, 0x10/2+250 clamped
        {"no base left", 0.0f, 0x0A14FAFFu},
        {"all the base", 1.0f, 0x0F1CFFFFu},
    };
    for (const auto& c : cases) {
        cRealSkyLayer layer(kWidth, kHeight, kBase, {}, 8);
        layer.setGlow(noGlow, kColumns, kStep, sRealSkyDaylightGrid{&colours, c.baseShare, 0.0f});
        layer.begin({{10, 100, 190, 100}});
        layer.finish();
        EXPECT_EQ(layer.image().getPixel(50, 50), c.wanted) << c.what;
        EXPECT_EQ(layer.image().getPixel(50, 100), c.wanted) << c.what << ": a line of no share still shows";
    }
}

}  // namespace
