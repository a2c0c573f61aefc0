#include "platform/gdi/window_win.h"

#include "platform/gdi/drawing_tools_win_dc.h"
#include "platform/gdi/gdi_batch.h"
#include "util/log.h"

#include <cstdint>

struct keslWindowWin::Gdi {
    HWND window = nullptr;
    HDC windowDC = nullptr;
    HDC backBufferDC = nullptr;
    // A DIB section, so the world's images are copied into it in memory.
    HBITMAP backBuffer = nullptr;
    HGDIOBJ replacedBitmap = nullptr;
    int backBufferWidth = 0;
    int backBufferHeight = 0;
    keslGdiSurface windowSurface;
    keslGdiSurface backBufferSurface;
    const keslGdiSurface* target = &windowSurface;
    keslDrawingToolsWinDC tools{&target};

    RECT client() const {
        RECT r{0, 0, 0, 0};
        GetClientRect(window, &r);
        return r;
    }

    // Puts one rectangle of the back buffer on the window. Handing GDI the
    // section's own memory spares it looking up and locking a second device
    // context: under Wine a third less per call than BitBlt, and a frame
    // sends a hundred small rectangles.
    void present(const keslRect<int>& r) const {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = backBufferWidth;
        info.bmiHeader.biHeight = -backBufferHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        // The source's y counts from the bottom edge of the picture, top-down or not.
        SetDIBitsToDevice(windowDC, r.left, r.top, static_cast<DWORD>(r.width), static_cast<DWORD>(r.height), r.left,
                          backBufferHeight - r.top - r.height, 0, static_cast<UINT>(backBufferHeight),
                          backBufferSurface.pixels.data, &info, DIB_RGB_COLORS);
    }
};

keslWindowWin::keslWindowWin(keslWindowHandle handle) : keslWindowBase(handle), m_gdi(std::make_unique<Gdi>()) {
    Gdi& g = *m_gdi;
    g.window = static_cast<HWND>(handle);
    if (g.window == nullptr) {
        return;
    }
    g.windowDC = GetDC(g.window);
    g.windowSurface.dc = g.windowDC;
    SetBkMode(g.windowDC, TRANSPARENT);

    RECT r{0, 0, 0, 0};
    GetWindowRect(g.window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    logInfo("keslWindowWin() with hWND:%X, rect.top = %i, left:%i, bottom:%i, right:%i, width:%i, height:%i",
            static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(g.window)), static_cast<int>(r.top),
            static_cast<int>(r.left), static_cast<int>(r.bottom), static_cast<int>(r.right), width, height);

    keslPixelView pixels;
    g.backBufferDC = CreateCompatibleDC(g.windowDC);
    g.backBuffer = keslCreateDibSection(width, height, pixels);
    if (g.backBufferDC == nullptr || g.backBuffer == nullptr) {
        logError("#8740: keslWindowWin(): no back buffer of %i x %i; drawing goes to the window", width, height);
        return;
    }
    g.backBufferWidth = width;
    g.backBufferHeight = height;
    g.replacedBitmap = SelectObject(g.backBufferDC, g.backBuffer);
    SetBkMode(g.backBufferDC, TRANSPARENT);
    BitBlt(g.backBufferDC, 0, 0, width, height, g.windowDC, 0, 0, SRCCOPY);
    keslGdiMayHaveDrawn();
    g.backBufferSurface = keslGdiSurface{g.backBufferDC, pixels};
    g.target = &g.backBufferSurface;
}

keslWindowWin::~keslWindowWin() {
    Gdi& g = *m_gdi;
    if (g.backBufferDC != nullptr) {
        SelectObject(g.backBufferDC, g.replacedBitmap);
        DeleteDC(g.backBufferDC);
    }
    if (g.backBuffer != nullptr) {
        DeleteObject(g.backBuffer);
    }
    if (g.windowDC != nullptr) {
        ReleaseDC(g.window, g.windowDC);
    }
}

void keslWindowWin::flush() {
    const Gdi& g = *m_gdi;
    if (g.backBufferDC == nullptr || g.backBuffer == nullptr || !m_doubleBuffered) {
        forgetDamage();
        return;
    }
    if (damage().isWhole()) {
        BitBlt(g.windowDC, 0, 0, g.backBufferWidth, g.backBufferHeight, g.backBufferDC, 0, 0, SRCCOPY);
    } else {
        // Drawing GDI still holds back must land before its memory is handed over.
        keslGdiSettle();
        for (const keslRect<int>& r : damage()) g.present(r);
    }
    // The window reads the back buffer: the next frame's writes wait for it.
    keslGdiMayHaveDrawn();
    forgetDamage();
}

void keslWindowWin::setClipRect(const keslRect<int>* clip) { m_gdi->tools.setClip(clip); }

void keslWindowWin::setDoubleBuffered(bool on) {
    keslWindowBase::setDoubleBuffered(on);
    Gdi& g = *m_gdi;
    g.target = on && g.backBufferSurface.dc != nullptr ? &g.backBufferSurface : &g.windowSurface;
}

void keslWindowWin::requestClose() {
    if (m_gdi->window != nullptr) PostMessageA(m_gdi->window, WM_CLOSE, 0, 0);
}

void keslWindowWin::clearWithColor(keslColor color) {
    const RECT r = m_gdi->client();
    m_gdi->tools.fillRect(keslRect<int>(r.top, r.left, r.right - r.left, r.bottom - r.top), color);
}

void keslWindowWin::fillRect(const keslRect<int>& rect, keslColor color) {
    m_gdi->tools.fillRect(rect, color);
}

void keslWindowWin::fillEllipse(int left, int top, int right, int bottom, keslColor color) {
    m_gdi->tools.fillEllipse(left, top, right, bottom, color);
}

void keslWindowWin::drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) {
    m_gdi->tools.drawLine(x1, y1, x2, y2, width, color);
}

void keslWindowWin::drawImage(int x, int y, keslSurfaceHandle source, int width, int height,
                              std::optional<keslColor> transparentColor) {
    m_gdi->tools.drawImage(x, y, static_cast<const keslGdiSurface*>(source), width, height, transparentColor);
}

bool keslWindowWin::drawPixels(int x, int y, const keslPixelView& pixels, std::optional<keslColor> transparentColor) {
    return m_gdi->tools.drawPixels(x, y, pixels, transparentColor);
}

bool keslWindowWin::lightenPixels(int x, int y, const keslPixelView& pixels) {
    return m_gdi->tools.lightenPixels(x, y, pixels);
}

bool keslWindowWin::drawTiledPixels(const keslPixelView& tile, const keslRect<int>& area) {
    return m_gdi->tools.drawTiledPixels(tile, area);
}

keslColor keslWindowWin::getPixel(int x, int y) { return m_gdi->tools.getPixel(x, y); }

void keslWindowWin::setPixel(int x, int y, keslColor color) { m_gdi->tools.setPixel(x, y, color); }

keslRect<int> keslWindowWin::getWindowRect() {
    RECT r{0, 0, 0, 0};
    GetWindowRect(m_gdi->window, &r);
    return keslRect<int>(r.top, r.left, r.right - r.left, r.bottom - r.top);
}

int keslWindowWin::getTop() { return getWindowRect().top; }

int keslWindowWin::getLeft() { return getWindowRect().left; }

keslPoint<int> keslWindowWin::getPosition() {
    const keslRect<int> r = getWindowRect();
    return {r.left, r.top};
}

int keslWindowWin::getClientWidth() {
    const RECT r = m_gdi->client();
    return r.right - r.left;
}

int keslWindowWin::getClientHeight() {
    const RECT r = m_gdi->client();
    return r.bottom - r.top;
}

keslSize keslWindowWin::getClientSize() {
    const RECT r = m_gdi->client();
    return {r.right - r.left, r.bottom - r.top};
}

void keslWindowWin::getTextSize(const char* text, int* width, int* height) {
    m_gdi->tools.getTextSize(text, textParamsInForce(false), width, height);
}

std::optional<keslRect<int>> keslWindowWin::textInkInForce(int x, int y, const char* text) {
    return m_gdi->tools.keptTextInk(x, y, text, textParamsInForce(true));
}

int keslWindowWin::drawTextInForce(int x, int y, const char* text) {
    return m_gdi->tools.drawText(x, y, text, textParamsInForce(true));
}
