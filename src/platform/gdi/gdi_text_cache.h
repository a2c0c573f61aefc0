// Texts the drawing tools have drawn, kept as pictures of their ink. GDI lays
// a text out and rasterises its glyphs anew on every DrawText, which under
// Wine costs tens of microseconds a call, while the sky draws the same clock,
// quote and labels frame after frame with only their colour and place
// changing. A text is drawn once, white on black, into a scratch DIB section
// and the box its ink covers is kept; after that each draw blends the text
// colour into the target through that picture, in memory. Each channel of the
// picture says how much of the text colour covers that channel, so
// ClearType's coloured edges survive the blend.
#pragma once

#include "platform/color.h"
#include "platform/gdi/gdi_font_cache.h"
#include "platform/pixels.h"

#include <windows.h>

#include <array>
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

    keslGdiTextCache() = default;
    ~keslGdiTextCache();
    keslGdiTextCache(const keslGdiTextCache&) = delete;
    keslGdiTextCache& operator=(const keslGdiTextCache&) = delete;

    // The picture of the text in the font, drawn now if it is not kept; null when GDI cannot draw one.
    const sInk* inkFor(const sTextKey& key, HFONT font, Painter paint);

    // Blends colour into target through the ink, its anchor at (x, y); a clip (target pixels) limits what is written.
    static void blend(const keslPixelView& target, int x, int y, const sInk& ink, keslColor color,
                      const keslRect<int>* clip);

private:
    struct sEntry {
        std::string text;
        keslGdiFontCache::sFontKey font;
        UINT format = 0;
        int characterExtra = 0;
        bool filled = false;
        std::vector<keslPixel> pixels;
        sInk ink;
        unsigned lastUse = 0;

        bool matches(const sTextKey& key) const;
    };

    bool draw(sEntry& entry, const sTextKey& key, HFONT font, Painter paint);
    // A black scratch section at least this large is selected into the context.
    bool scratchOfAtLeast(int width, int height);
    void keepInk(sEntry& entry, int width, int height);

    std::array<sEntry, kCapacity> m_entries{};
    unsigned m_uses = 0;
    HDC m_dc = nullptr;
    HBITMAP m_scratch = nullptr;
    HGDIOBJ m_originalBitmap = nullptr;
    keslPixelView m_scratchPixels;
};
