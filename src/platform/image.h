// The image the system instantiates: the platform's picture plus the argument
// tests every backend shares (pixel bounds, crop rules, file checks).
#pragma once

#include "platform/image_base.h"

#if defined(_WIN32)
#include "platform/gdi/image_win.h"
using keslImagePlatform = keslImageWin;
#else
#include "platform/raster/image_raster.h"
using keslImagePlatform = keslImageRaster;
#endif

class keslImage : public keslImagePlatform {
public:
    // What getPixel reports outside the picture.
    static constexpr keslColor kOutsideColor = 0xFFE4B5FFu;

    keslImage() = default;

    bool initWithFile(const char* fileName, bool transparentFromTopLeft) override;
    keslColor getPixel(int x, int y) override;
    void setPixel(int x, int y, keslColor color) override;
    // Nothing when the size is already width x height.
    void resizeTo(int width, int height) override;
    // Only a region starting inside the picture and strictly smaller than it.
    void crop(int x, int y, int width, int height) override;

private:
    bool inside(int x, int y);
};
