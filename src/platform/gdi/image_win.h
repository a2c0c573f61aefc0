// The GDI image: a memory device context of its own (made at construction)
// and, once an init succeeds, a bitmap selected into it. Handles live in the
// source file so this header stays free of <windows.h>.
#pragma once

#include "platform/image_base.h"

#include <memory>

class keslImageWin : public keslImageBase {
public:
    keslImageWin();
    ~keslImageWin() override;

    bool initWithSizeAndColor(int width, int height, keslColor color) override;
    bool initWithResource_impl(int resourceNumber) override;
    keslColor getPixel(int x, int y) override;
    void setPixel(int x, int y, keslColor color) override;
    void multiplyPixel(int x, int y, float red, float green, float blue) override;
    int getWidth() override;
    int getHeight() override;
    int drawText(int x, int y, const char* text, const keslTextParams& params) override;
    keslSurfaceHandle getSurfaceHandle() override;
    keslPixelView pixelView() override;

protected:
    void crop_impl(int x, int y, int width, int height) override;
    void resizeTo_impl(int width, int height) override;
    bool initWithFile_impl(const char* fileName) override;

private:
    struct Gdi;
    std::unique_ptr<Gdi> m_gdi;
};
