// Text drawn into memory from its kept picture must look as GDI's own
// DrawText would have drawn it there: same place, same alignment, same
// colour, and never a stale text or colour from an earlier draw.
#include "platform/gdi/drawing_tools_win_dc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

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

}  // namespace
