// Texts the drawing tools have drawn, kept as pictures of their ink. GDI lays
// a text out and rasterises its glyphs anew on every DrawText, which under
// Wine costs tens of microseconds a call, while the sky draws the same clock,
// quote and labels frame after frame with only their colour and place
// changing. A text is drawn once, white on black, into a scratch DIB section
// and the box its ink covers is kept; after that each draw blends the text
// colour into the target through that picture, in memory. Each channel of the
// picture says how much of the text colour covers that channel, so
// ClearType's coloured edges survive the blend.
//
// Laying a text out (DrawText's DT_CALCRECT) costs as much again, and the
// sprites measure the same clock, quote line or moon label over and over:
// each size measured is kept too, and a picture drawn for a measured text
// takes its size from there.
#pragma once

#include "platform/color.h"
#include "platform/gdi/gdi_font_cache.h"
#include "platform/pixels.h"

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

class keslGdiTextCache {
public:
    struct sInk {
        // Only the box the glyphs painted; empty for a text of no ink.
        keslPixelView pixels;
        // Where in the picture the drawing call's (x, y) falls.
        int anchorX = 0;
        int anchorY = 0;
        // What DrawText returned: the height of the text.
        int height = 0;
    };
    struct sTextKey {
        const char* text = nullptr;
        keslGdiFontCache::sFontKey font;
        UINT format = 0;
        int characterExtra = 0;
    };
    // DrawText, or what stands in for it: returns the text's height.
    using Painter = int (*)(HDC dc, const char* text, RECT* rect, UINT format);

    // The clock, the bottom line, a quote's lines and author, and the moon's
    // label with every step of its typing, which comes back each time the
    // label turns: room for all without one pushing out another.
    static constexpr int kCapacity = 64;
    // Texts measured and not drawn, or no longer kept: a quote's lines at full
    // size before they fade in, a label's lines one by one.
    static constexpr int kMeasureCapacity = 32;

    keslGdiTextCache() = default;
    ~keslGdiTextCache();
    keslGdiTextCache(const keslGdiTextCache&) = delete;
    keslGdiTextCache& operator=(const keslGdiTextCache&) = delete;

    // The picture of the text in the font, drawn now if it is not kept; null when GDI cannot draw one.
    const sInk* inkFor(const sTextKey& key, HFONT font, Painter paint);

    // DrawText's DT_CALCRECT width and height of the text in the font, laid out
    // now if it is not kept; none when there is no context to measure in.
    std::optional<SIZE> sizeOf(const sTextKey& key, HFONT font, Painter paint);

    // Blends colour into target through the ink, its anchor at (x, y); a clip (target pixels) limits what is written.
    static void blend(const keslPixelView& target, int x, int y, const sInk& ink, keslColor color,
                      const keslRect<int>* clip);

private:
    // A text laid out in a font: what a kept picture or measure was made for.
    struct sLaidOut {
        std::string text;
        keslGdiFontCache::sFontKey font;
        UINT format = 0;
        int characterExtra = 0;
        bool filled = false;
        // DrawText's DT_CALCRECT width and height.
        SIZE size{0, 0};
        unsigned lastUse = 0;

        // The same text, font and spacing, in any format.
        bool holds(const sTextKey& key) const;
    };
    struct sEntry : sLaidOut {
        std::vector<keslPixel> pixels;
        sInk ink;
    };

    bool haveContext();

    bool draw(sEntry& entry, const sTextKey& key, HFONT font, Painter paint);
    // A black scratch section at least this large is selected into the context.
    bool scratchOfAtLeast(int width, int height);
    void keepInk(sEntry& entry, int width, int height);

    std::array<sEntry, kCapacity> m_entries{};
    std::array<sLaidOut, kMeasureCapacity> m_measures{};
    unsigned m_uses = 0;
    unsigned m_measureUses = 0;
    HDC m_dc = nullptr;
    HBITMAP m_scratch = nullptr;
    HGDIOBJ m_originalBitmap = nullptr;
    keslPixelView m_scratchPixels;
};
