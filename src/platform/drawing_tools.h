// The primitive drawing operations every sprite ends up calling. One
// interface, two painters: GDI on Windows and a software raster elsewhere.
// The raster follows GDI's conventions (right and bottom edges excluded, line
// end point unpainted, black ellipse outline) so both builds draw the same sky.
#pragma once

#include "platform/color.h"
#include "platform/text_params.h"
#include "system/rect.h"

// A drawing surface as the backend knows it (a device context on GDI, a pixel
// surface on the raster); portable code only passes it along.
using keslSurfaceHandle = void*;

// A surface that does not exist reads as opaque red, so a missing target is
// obvious on screen rather than silently black.
constexpr keslColor kColorNoSurface = kColorOpaqueRed;

template <typename TRect>
class kesliDrawingTools {
public:
    virtual ~kesliDrawingTools() = default;

    // Filled with the colour, outlined by a 1-pixel black pen; right and bottom excluded.
    virtual void fillEllipse(int left, int top, int right, int bottom, keslColor color) = 0;
    // Covers left..right-1 and top..bottom-1.
    virtual void fillRect(const TRect& rect, keslColor color) = 0;
    // x is the left edge, centre or right edge (by alignment), y the top; returns the text's height.
    virtual int drawText(int x, int y, const char* text, const keslTextParams& params) = 0;
    // Writes only the outputs that are present.
    virtual void getTextSize(const char* text, const keslTextParams& params, int* width, int* height) = 0;
    virtual keslColor getPixel(int x, int y) = 0;
    virtual void setPixel(int x, int y, keslColor color) = 0;
    // The end point itself stays unpainted.
    virtual void drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) = 0;
};

using keslDrawingToolsInterface = kesliDrawingTools<keslRect<int>>;
