// A GDI drawing surface as the window and its images pass it around: the
// device context every GDI call needs and, when a 32-bit DIB section is
// selected into it, that section's pixels. Copies and pixel reads between
// such surfaces are done in memory, by the routine the raster backend uses,
// instead of one TransparentBlt or GetPixel call each (which cost far more
// than the pixels they move, under Wine above all).
#pragma once

#include "platform/pixels.h"

#include <windows.h>

struct keslGdiSurface {
    HDC dc = nullptr;
    // Empty for surfaces whose memory is not ours to touch (the window itself).
    keslPixelView pixels;
};

// A 32-bit top-down DIB section of width x height, black; its pixels go to
// pixels (left empty when the section cannot be made, and null is returned).
HBITMAP keslCreateDibSection(int width, int height, keslPixelView& pixels);
