// An off-screen picture with its own drawing surface: loaded from a bitmap
// resource or a .bmp file, or blank in a colour. Sprites draw it into a window
// (with an optional key colour), stars read and write its pixels, backgrounds
// scale it. The backend owns the pixels; keslImage adds the argument tests.
#pragma once

#include "platform/color.h"
#include "platform/drawing_tools.h"
#include "platform/pixels.h"
#include "platform/text_params.h"

class keslWindowBase;

class keslImageBase {
public:
    keslImageBase() = default;
    keslImageBase(const keslImageBase&) = delete;
    keslImageBase& operator=(const keslImageBase&) = delete;
    virtual ~keslImageBase() = default;

    virtual void setTransparentColor(keslColor color);
    // Creates (or replaces) the picture and fills it; false when no picture could be made.
    virtual bool initWithSizeAndColor(int width, int height, keslColor color) = 0;
    // With transparentFromTopLeft the pixel at (0, 0) becomes the key colour.
    virtual bool initWithFile(const char* fileName, bool transparentFromTopLeft) = 0;
    // Fails, keeping the current picture, when the image already holds one.
    virtual bool initWithResource_impl(int resourceNumber) = 0;
    virtual keslColor getPixel(int x, int y) = 0;
    virtual void setPixel(int x, int y, keslColor color) = 0;
    // Each channel times its factor, truncated, above 255 clamped to 255.
    virtual void multiplyPixel(int x, int y, float red, float green, float blue) = 0;
    virtual int getWidth() = 0;
    virtual int getHeight() = 0;
    // Text drawn into the image itself.
    virtual int drawText(int x, int y, const char* text, const keslTextParams& params) = 0;
    virtual void drawOn(keslWindowBase* window, int x, int y);
    // Each new side is the old one times factor, truncated.
    virtual void resizeByFactor(float factor);
    virtual void resizeTo(int width, int height) = 0;
    virtual void crop(int x, int y, int width, int height) = 0;

    bool hasTransparentColor() const { return m_hasTransparentColor; }
    keslColor getTransparentColor() const { return m_transparentColor; }
    // The surface a window copies from; null without a picture.
    virtual keslSurfaceHandle getSurfaceHandle() = 0;
    // The picture's own pixels, for filling a large picture without a call per
    // pixel; empty when the backend keeps them out of reach.
    virtual keslPixelView pixelView() { return {}; }

protected:
    virtual void crop_impl(int x, int y, int width, int height) = 0;
    virtual void resizeTo_impl(int width, int height) = 0;
    virtual bool initWithFile_impl(const char* fileName) = 0;

    bool m_hasTransparentColor = false;
    keslColor m_transparentColor = 0x000000FFu;
};
