// Text for the raster backend, laid out the way GDI's DrawTextA lays it out
// for this system: a font of s points is MulDiv(s, 96, 72) pixels high (em
// height), a line is the font's ascent plus descent, character spacing is
// added after every character, each line is aligned on its own, and the 8-bit
// text is read as UTF-8 or as Windows-1252 (platform/text_encoding.h).
// fontconfig picks the face (with the metric compatible stand-ins for the
// Windows families) and FreeType draws it.
#pragma once

#include "platform/raster/pixel_surface.h"
#include "platform/text_params.h"

#include <memory>

struct keslTextExtent {
    int width = 0;
    int height = 0;
};

class keslFontEngine {
public:
    static constexpr int kScreenDpi = 96;

    // The process's engine, created on first use.
    static keslFontEngine& get();
    ~keslFontEngine();

    // Paints the text's glyphs (nothing else) in the surface's text colour with
    // the surface's character spacing; x by alignment, y the top. Returns the extent.
    keslTextExtent draw(keslPixelSurface& surface, int x, int y, const char* text, const keslTextParams& params);
    keslTextExtent measure(const char* text, const keslTextParams& params, int characterExtra);

    // What MulDiv(points, 96, 72) gives, the em height in pixels.
    static int pixelHeightForPoints(int points);

private:
    keslFontEngine();
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
