// The drawing tools over a GDI device context. Included only by GDI code: it
// holds a pointer to its owner's current-target slot (not a copy of the
// handle), so it paints on whatever surface the owner selected at the moment
// of each call. Every call creates, selects, restores and deletes its own
// brush or pen; fonts, dear to make, are kept for the next call. Single
// pixels and image copies between surfaces whose memory is known are done in
// memory; everything else is GDI's.
#pragma once

#include "platform/drawing_tools.h"
#include "platform/gdi/gdi_font_cache.h"
#include "platform/gdi/gdi_surface.h"
#include "platform/gdi/gdi_text_cache.h"

#include <windows.h>

#include <optional>

class keslDrawingToolsWinDC : public keslDrawingToolsInterface {
public:
    explicit keslDrawingToolsWinDC(const keslGdiSurface* const* targetSlot) : m_target(targetSlot) {}

    void fillEllipse(int left, int top, int right, int bottom, keslColor color) override;
    void fillRect(const keslRect<int>& rect, keslColor color) override;
    int drawText(int x, int y, const char* text, const keslTextParams& params) override;
    void getTextSize(const char* text, const keslTextParams& params, int* width, int* height) override;
    keslColor getPixel(int x, int y) override;
    void setPixel(int x, int y, keslColor color) override;
    void drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) override;
    virtual void multiplyPixel(int x, int y, float red, float green, float blue);
    // Copies source's (0, 0, width, height) to (x, y) unscaled, skipping exactly the key colour.
    virtual void drawImage(int x, int y, const keslGdiSurface* source, int width, int height,
                           std::optional<keslColor> transparentColor);
    // The same from pixels in memory; false when the target's pixels are not ours to touch.
    bool drawPixels(int x, int y, const keslPixelView& pixels, std::optional<keslColor> transparentColor);
    bool lightenPixels(int x, int y, const keslPixelView& pixels);
    bool drawTiledPixels(const keslPixelView& tile, const keslRect<int>& area);

    // The pixels drawText would paint from the text's kept picture; none when
    // the target's pixels are not in memory and GDI would draw it.
    std::optional<keslRect<int>> keptTextInk(int x, int y, const char* text, const keslTextParams& params);

    // Drawing (not reading) stays inside the rectangle, in memory and in GDI alike; null lifts the limit.
    void setClip(const keslRect<int>* clip);

    static COLORREF toColorRef(keslColor color) { return RGB(colorRed(color), colorGreen(color), colorBlue(color)); }

private:
    HDC target() const { return *m_target != nullptr ? (*m_target)->dc : nullptr; }
    // The target's pixels when (x, y) lies in them and they may be touched now, else null.
    keslPixel* pixelInMemory(int x, int y) const;
    bool clippedAway(int x, int y) const;
    // Puts the clip on the device context before a call GDI itself draws; copies in memory need none.
    HDC clippedTarget();
    // Draws the text from its kept picture when the target's pixels are in memory; nothing when they are not.
    std::optional<int> drawKeptText(HDC dc, int x, int y, const char* text, const keslTextParams& params,
                                    UINT format);
    // The kept picture drawText uses for the text; null when it draws with GDI instead.
    const keslGdiTextCache::sInk* keptInk(HDC dc, const char* text, const keslTextParams& params, UINT format);

    const keslGdiSurface* const* m_target;
    keslGdiFontCache m_fonts;
    // Text drawn into memory comes from here; GDI draws only what has no memory to go to.
    keslGdiTextCache m_texts;
    bool m_clipped = false;
    keslRect<int> m_clip;
    // What the device context was last given, so each GDI call costs no clip calls unless the clip changed.
    HDC m_clipDC = nullptr;
    bool m_dcClipped = false;
    keslRect<int> m_dcClip;
};
