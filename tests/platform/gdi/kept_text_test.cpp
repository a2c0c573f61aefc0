// Text drawn into memory from its kept picture must look as GDI's own
// DrawText would have drawn it there: same place, same alignment, same
// colour, and never a stale text or colour from an earlier draw.
#include "platform/gdi/drawing_tools_win_dc.h"
#include "platform/gdi/gdi_text_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 120;
constexpr keslPixel kSky = 0x141428;

// A DIB section in its own context: once with its pixels known (drawn from
// kept pictures), once without (drawn by GDI).
class Canvas {
public:
    explicit Canvas(bool memoryKnown) {
        m_dc = CreateCompatibleDC(nullptr);
        keslPixelView pixels;
        m_bitmap = keslCreateDibSection(kWidth, kHeight, pixels);
        m_previous = SelectObject(m_dc, m_bitmap);
        SetBkMode(m_dc, TRANSPARENT);
        m_pixels = pixels;
        m_surface.dc = m_dc;
        if (memoryKnown) m_surface.pixels = pixels;
        clear();
    }
    ~Canvas() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    void clear() { std::fill(m_pixels.data, m_pixels.data + kWidth * kHeight, kSky); }
    keslDrawingToolsWinDC& tools() { return m_tools; }
    keslPixel at(int x, int y) const {
        GdiFlush();
        return m_pixels.row(y)[x] & 0xFFFFFFu;
    }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    keslPixelView m_pixels;
    keslGdiSurface m_surface;
    const keslGdiSurface* m_slot = &m_surface;
    keslDrawingToolsWinDC m_tools{&m_slot};
};

int channelGap(keslPixel a, keslPixel b) {
    int gap = 0;
    for (int shift : {0, 8, 16}) {
        gap = std::max(gap, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    }
    return gap;
}

struct Comparison {
    int largestGap = 0;
    int inkedByGdi = 0;
    int inkedOnlyByOne = 0;
};

Comparison compare(const Canvas& kept, const Canvas& gdi) {
    Comparison c;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const keslPixel a = kept.at(x, y);
            const keslPixel b = gdi.at(x, y);
            c.largestGap = std::max(c.largestGap, channelGap(a, b));
            if (b != kSky) ++c.inkedByGdi;
            if ((a == kSky) != (b == kSky)) ++c.inkedOnlyByOne;
        }
    }
    return c;
}

keslTextParams paramsFor(keslTextAlign alignment, keslColor color, float extra, bool antialiased) {
    keslTextParams params;
    params.fontName = "Arial";
    params.fontSize = 20.0f;
    params.alignment = alignment;
    params.color = color;
    params.characterExtra = extra;
    params.nonAntialiased = antialiased ? 0 : 1;
    return params;
}

TEST(KeptText, LooksAsGdiDrawsItForEveryAlignment) {
    struct Case {
        const char* text;
        keslTextAlign alignment;
        keslColor color;
        float extra;
        bool antialiased;
        int tolerance;
    };
    const Case cases[] = {
        {"12:34:56 PM", kTextAlignLeft, 0xFFFF00FFu, 0.0f, true, 32},
        {"Full moon\nNovember 24, 22:53", kTextAlignCentre, 0xC8C8FFFFu, 0.0f, true, 32},
        {"(Ralph Waldo Emerson)", kTextAlignRight, 0x40A0FFFFu, 2.0f, true, 32},
        {"Tomorrow is a new day", kTextAlignLeft, 0xFFFFFFFFu, 0.0f, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Canvas kept(true);
        Canvas gdi(false);
        const keslTextParams params = paramsFor(c.alignment, c.color, c.extra, c.antialiased);
        const int keptHeight = kept.tools().drawText(180, 20, c.text, params);
        const int gdiHeight = gdi.tools().drawText(180, 20, c.text, params);
        EXPECT_EQ(keptHeight, gdiHeight);
        const Comparison result = compare(kept, gdi);
        EXPECT_GT(result.inkedByGdi, 100);
        EXPECT_EQ(result.inkedOnlyByOne, 0);
        EXPECT_LE(result.largestGap, c.tolerance);
    }
}

TEST(KeptText, ANewTextOrColourReplacesTheKeptOne) {
    Canvas kept(true);
    Canvas gdi(false);
    kept.tools().drawText(20, 20, "10:00", paramsFor(kTextAlignLeft, 0xFF0000FFu, 0.0f, false));
    kept.tools().drawText(20, 20, "WWWWWWWW\nWWWWWWWW", paramsFor(kTextAlignLeft, 0xFF0000FFu, 0.0f, false));
    kept.clear();
    const keslTextParams green = paramsFor(kTextAlignLeft, 0x00FF00FFu, 0.0f, false);
    kept.tools().drawText(20, 20, "10:01", green);
    gdi.tools().drawText(20, 20, "10:01", green);
    const Comparison result = compare(kept, gdi);
    EXPECT_GT(result.inkedByGdi, 20);
    EXPECT_EQ(result.largestGap, 0);
}

TEST(KeptText, StaysInsideTheClip) {
    Canvas kept(true);
    const keslRect<int> clip(10, 30, 20, 15);
    kept.tools().setClip(&clip);
    kept.tools().drawText(20, 5, "WWWWWWWW", paramsFor(kTextAlignLeft, 0xFFFFFFFFu, 0.0f, false));
    int inside = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (kept.at(x, y) == kSky) continue;
            EXPECT_TRUE(x >= 30 && x < 50 && y >= 10 && y < 25) << x << "," << y;
            ++inside;
        }
    }
    EXPECT_GT(inside, 10);
}

// Stands in for DrawText and counts the layouts and the paints asked of it.
struct DrawTextCalls {
    static int measures;
    static int paints;
    static int draw(HDC dc, const char* text, RECT* r, UINT format) {
        ++((format & DT_CALCRECT) != 0 ? measures : paints);
        return DrawTextA(dc, text, -1, r, format);
    }
};
int DrawTextCalls::measures = 0;
int DrawTextCalls::paints = 0;

TEST(KeptText, LaysEachTextOutOnceForItsMeasuresAndItsPicture) {
    keslGdiFontCache fonts;
    const keslGdiFontCache::sFontKey font{"Arial", 20};
    const HFONT hfont = fonts.fontFor(font);
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, hfont);
    RECT gdi{0, 0, 0, 0};
    DrawTextA(dc, "12:34:56", -1, &gdi, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, previous);
    DeleteDC(dc);

    keslGdiTextCache cache;
    const UINT left = DT_LEFT | DT_NOCLIP | DT_NOPREFIX;
    const UINT centred = DT_CENTER | DT_NOCLIP | DT_NOPREFIX;
    const std::optional<SIZE> measured = cache.sizeOf({"12:34:56", font, left, 0}, hfont, DrawTextCalls::draw);
    const std::optional<SIZE> again = cache.sizeOf({"12:34:56", font, centred, 0}, hfont, DrawTextCalls::draw);
    const keslGdiTextCache::sInk* ink = cache.inkFor({"12:34:56", font, centred, 0}, hfont, DrawTextCalls::draw);
    cache.sizeOf({"12:34:57", font, left, 0}, hfont, DrawTextCalls::draw);
    const UINT right = DT_RIGHT | DT_NOCLIP | DT_NOPREFIX;
    const keslGdiTextCache::sInk* drawnFirst = cache.inkFor({"10:00", font, right, 0}, hfont, DrawTextCalls::draw);
    const std::optional<SIZE> measuredAfter = cache.sizeOf({"10:00", font, left, 0}, hfont, DrawTextCalls::draw);

    ASSERT_TRUE(measured && again && ink && drawnFirst && measuredAfter);
    EXPECT_EQ(measured->cx, gdi.right - gdi.left);
    EXPECT_EQ(measured->cy, gdi.bottom - gdi.top);
    EXPECT_EQ(again->cx, measured->cx);
    EXPECT_EQ(ink->height, measured->cy);
    EXPECT_EQ(measuredAfter->cy, drawnFirst->height);
    EXPECT_EQ(DrawTextCalls::measures, 3);
    EXPECT_EQ(DrawTextCalls::paints, 2);
}

// Each channel moves towards the colour by share/255, rounded as
// (difference x share + 127) / 255 truncates; a pixel wholly shared takes the
// colour, one not shared at all keeps even its top byte.
keslPixel expectedBlend(keslPixel under, keslPixel share, keslPixel colour) {
    share &= 0xFFFFFFu;
    if (share == 0) return under;
    if (share == 0xFFFFFFu) return colour;
    keslPixel out = 0;
    for (int shift : {0, 8, 16}) {
        const int u = static_cast<int>((under >> shift) & 0xFF);
        const int c = static_cast<int>((colour >> shift) & 0xFF);
        const int s = static_cast<int>((share >> shift) & 0xFF);
        out |= static_cast<keslPixel>(u + ((c - u) * s + 127) / 255) << shift;
    }
    return out;
}

TEST(KeptText, BlendsEveryChannelTowardsTheColourByItsShare) {
    struct Case {
        keslPixel under;
        keslPixel share;
        keslColor colour;
        keslPixel blended;
    };
    const Case cases[] = {
        {0xAB000000u, 0x808080u, 0xFFFFFFFFu, 0x808080u},
        {0x00C8C8C8u, 0x808080u, 0x000000FFu, 0x656565u},
        {0xAB123456u, 0x000000u, 0xFFFFFFFFu, 0xAB123456u},
        {0xAB123456u, 0xFFFFFFu, 0x102030FFu, 0x102030u},
        {0x00FF0000u, 0x00FF00u, 0x00FE00FFu, 0xFFFE00u},
    };
    // Five pixels: four blended together and one alone.
    std::vector<keslPixel> inkPixels;
    std::vector<keslPixel> target;
    for (const Case& c : cases) {
        inkPixels.assign(5, c.share);
        target.assign(5, c.under);
        keslGdiTextCache::sInk ink;
        ink.pixels = keslPixelView{inkPixels.data(), 5, 1};
        keslGdiTextCache::blend(keslPixelView{target.data(), 5, 1}, 0, 0, ink, c.colour, nullptr);
        for (keslPixel blended : target) EXPECT_EQ(blended, c.blended) << std::hex << c.under << " " << c.share;
    }
    // Every under value with every share, in each channel, for every colour:
    // rows long and odd enough that four-pixel steps and the tail both meet them.
    constexpr int kRow = 256 * 256 + 3;
    inkPixels.assign(kRow, 0);
    for (int i = 0; i < kRow; ++i) {
        // Every other pixel shares all three channels alike, so some are wholly shared.
        const keslPixel s = static_cast<keslPixel>(i % 65536) >> 8;
        const keslPixel red = (i % 2 == 1) ? s : ((s * 7) & 0xFF);
        inkPixels[static_cast<size_t>(i)] = (red << 16) | (s << 8) | s;
    }
    std::vector<keslPixel> under(kRow);
    for (int i = 0; i < kRow; ++i) {
        const keslPixel u = static_cast<keslPixel>(i) & 0xFF;
        under[static_cast<size_t>(i)] = 0x5A000000u | (((u * 5) & 0xFF) << 16) | (u << 8) | (255 - u);
    }
    keslGdiTextCache::sInk ink;
    ink.pixels = keslPixelView{inkPixels.data(), kRow, 1};
    int wrong = 0;
    for (keslPixel over = 0; over < 256; ++over) {
        const keslPixel colour = (over << 16) | ((255 - over) << 8) | ((over * 3) & 0xFF);
        target = under;
        keslGdiTextCache::blend(keslPixelView{target.data(), kRow, 1}, 0, 0, ink, fromPixel(colour), nullptr);
        for (size_t i = 0; i < target.size() && wrong < 5; ++i) {
            const keslPixel want = expectedBlend(under[i], inkPixels[i], colour);
            if (target[i] == want) continue;
            ADD_FAILURE() << "colour " << std::hex << colour << " under " << under[i] << " share " << inkPixels[i]
                          << ": " << target[i] << " not " << want;
            ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
