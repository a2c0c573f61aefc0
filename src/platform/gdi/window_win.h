// The GDI window: the window's own device context, an off-screen back buffer
// of the window's size, and the drawing tools bound to whichever of the two is
// the current target. The GDI handles live in the source file so that this
// header (reached from portable code through platform/window.h) stays free of
// <windows.h>.
#pragma once

#include "platform/window_base.h"

#include <memory>

class keslWindowWin : public keslWindowBase {
public:
    // handle is the HWND; a null one is logged and gives a window that draws nowhere.
    explicit keslWindowWin(keslWindowHandle handle);
    ~keslWindowWin() override;

    void flush() override;
    void setClipRect(const keslRect<int>* clip) override;
    void clearWithColor(keslColor color) override;
    void fillRect(const keslRect<int>& rect, keslColor color) override;
    void fillEllipse(int left, int top, int right, int bottom, keslColor color) override;
    void drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) override;
    void drawImage(int x, int y, keslSurfaceHandle source, int width, int height,
                   std::optional<keslColor> transparentColor) override;
    bool drawPixels(int x, int y, const keslPixelView& pixels, std::optional<keslColor> transparentColor) override;
    bool lightenPixels(int x, int y, const keslPixelView& pixels) override;
    bool drawTiledPixels(const keslPixelView& tile, const keslRect<int>& area) override;
    keslColor getPixel(int x, int y) override;
    void setPixel(int x, int y, keslColor color) override;
    keslRect<int> getWindowRect() override;
    int getTop() override;
    int getLeft() override;
    keslPoint<int> getPosition() override;
    int getClientWidth() override;
    int getClientHeight() override;
    keslSize getClientSize() override;
    void getTextSize(const char* text, int* width, int* height) override;
    void setDoubleBuffered(bool on) override;
    void requestClose() override;

protected:
    int drawTextInForce(int x, int y, const char* text) override;
    std::optional<keslRect<int>> textInkInForce(int x, int y, const char* text) override;

private:
    struct Gdi;
    std::unique_ptr<Gdi> m_gdi;
};
