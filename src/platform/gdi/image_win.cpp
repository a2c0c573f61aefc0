#include "platform/gdi/image_win.h"

#include "platform/bitmap_reader.h"
#include "platform/gdi/drawing_tools_win_dc.h"
#include "platform/gdi/gdi_batch.h"
#include "util/log.h"

#include <algorithm>

namespace {

// A DIB section holding the decoded pixels (the reader's layout is the section's).
HBITMAP createBitmap(const keslBitmapPixels& pixels, keslPixelView& view) {
    const HBITMAP bitmap = keslCreateDibSection(pixels.width, pixels.height, view);
    if (bitmap == nullptr) return nullptr;
    std::copy(pixels.pixels.begin(), pixels.pixels.begin() + static_cast<std::ptrdiff_t>(view.width) * view.height,
              view.data);
    return bitmap;
}

// A DIB section holding a copy of a bitmap GDI loaded; the loaded one is deleted.
HBITMAP toDibSection(HBITMAP loaded, keslPixelView& view) {
    BITMAP info{};
    GetObjectA(loaded, sizeof(info), &info);
    const HBITMAP bitmap = keslCreateDibSection(info.bmWidth, info.bmHeight, view);
    if (bitmap != nullptr) {
        const HDC from = CreateCompatibleDC(nullptr);
        const HDC to = CreateCompatibleDC(nullptr);
        const HGDIOBJ fromPrevious = SelectObject(from, loaded);
        const HGDIOBJ toPrevious = SelectObject(to, bitmap);
        BitBlt(to, 0, 0, info.bmWidth, info.bmHeight, from, 0, 0, SRCCOPY);
        keslGdiMayHaveDrawn();
        SelectObject(from, fromPrevious);
        SelectObject(to, toPrevious);
        DeleteDC(from);
        DeleteDC(to);
    }
    DeleteObject(loaded);
    return bitmap;
}

}  // namespace

struct keslImageWin::Gdi {
    // The context and, once there is a picture, its pixels: every bitmap of an image is a DIB section.
    keslGdiSurface surface;
    HBITMAP bitmap = nullptr;
    // What the fresh context held before our first bitmap; restored at the end.
    HGDIOBJ original = nullptr;
    int width = 0;
    int height = 0;
    bool sizeUnknown = true;
    const keslGdiSurface* target = &surface;
    keslDrawingToolsWinDC tools{&target};

    // Selects a new bitmap and deletes the one it replaces.
    void adopt(HBITMAP replacement, const keslPixelView& pixels) {
        const HGDIOBJ previous = SelectObject(surface.dc, replacement);
        if (bitmap == nullptr) {
            original = previous;
        } else {
            DeleteObject(bitmap);
        }
        bitmap = replacement;
        surface.pixels = pixels;
        sizeUnknown = true;
    }

    void readSize() {
        if (!sizeUnknown || bitmap == nullptr) {
            return;
        }
        BITMAP info{};
        GetObjectA(bitmap, sizeof(info), &info);
        width = info.bmWidth;
        // A top-down section may report its height negative.
        height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
        sizeUnknown = false;
    }

    // A memory context with a DIB section of this size.
    struct Scratch {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ previous = nullptr;
        Scratch(HDC like, int width, int height) {
            keslPixelView unused;
            dc = CreateCompatibleDC(like);
            bitmap = keslCreateDibSection(width, height, unused);
            previous = SelectObject(dc, bitmap);
            SetBkMode(dc, TRANSPARENT);
        }
        ~Scratch() {
            SelectObject(dc, previous);
            DeleteObject(bitmap);
            DeleteDC(dc);
        }
        Scratch(const Scratch&) = delete;
        Scratch& operator=(const Scratch&) = delete;
    };

    // Makes the scratch picture the image's own; without memory for it the old one stays.
    void takeOver(const Scratch& scratch, int newWidth, int newHeight) {
        keslPixelView pixels;
        const HBITMAP replacement = keslCreateDibSection(newWidth, newHeight, pixels);
        if (replacement == nullptr || scratch.bitmap == nullptr) {
            if (replacement != nullptr) {
                DeleteObject(replacement);
            }
            logError("#8743: keslImageWin: no bitmap of %i x %i, the image keeps its size", newWidth, newHeight);
            return;
        }
        adopt(replacement, pixels);
        BitBlt(surface.dc, 0, 0, newWidth, newHeight, scratch.dc, 0, 0, SRCCOPY);
        keslGdiMayHaveDrawn();
    }
};

keslImageWin::keslImageWin() : m_gdi(std::make_unique<Gdi>()) {
    m_gdi->surface.dc = CreateCompatibleDC(nullptr);
    if (m_gdi->surface.dc != nullptr) {
        SetBkMode(m_gdi->surface.dc, TRANSPARENT);
    }
}

keslImageWin::~keslImageWin() {
    Gdi& g = *m_gdi;
    if (g.bitmap != nullptr) {
        SelectObject(g.surface.dc, g.original);
        DeleteObject(g.bitmap);
    }
    if (g.surface.dc != nullptr) {
        DeleteDC(g.surface.dc);
    }
}

bool keslImageWin::initWithSizeAndColor(int width, int height, keslColor color) {
    Gdi& g = *m_gdi;
    if (g.bitmap != nullptr) {
        logError("keslImageWin.initWithSizeAndColor() called but m_GDIHBitmap not null");
    }
    if (g.surface.dc == nullptr) {
        logError("keslImageWin.initWithSizeAndColor() called but m_hDC is null");
        return false;
    }
    keslPixelView pixels;
    const HBITMAP bitmap = keslCreateDibSection(width, height, pixels);
    if (bitmap == nullptr) {
        logError("#8741: keslImageWin.initWithSizeAndColor(%i, %i): no bitmap of that size", width, height);
        return false;
    }
    g.adopt(bitmap, pixels);
    g.tools.fillRect(keslRect<int>(0, 0, width, height), color);
    return true;
}

bool keslImageWin::initWithResource_impl(int resourceNumber) {
    Gdi& g = *m_gdi;
    if (g.bitmap != nullptr) {
        logError("keslImageWin.initWithResource_impl(%i) called but hBitmap not null", resourceNumber);
        return false;
    }
    const HBITMAP loaded = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceNumber));
    if (loaded == nullptr) {
        logError("#4653b: image.initWithResource_impl failed:%i with windows error code:%u", resourceNumber,
                 static_cast<unsigned>(GetLastError()));
        return false;
    }
    if (g.surface.dc == nullptr) {
        logError("keslImageWin.initWithResource_impl(%i) called but m_hDC is null", resourceNumber);
        DeleteObject(loaded);
        return false;
    }
    keslPixelView pixels;
    const HBITMAP bitmap = toDibSection(loaded, pixels);
    if (bitmap == nullptr) {
        logError("#4653b: image.initWithResource_impl failed:%i with windows error code:%u", resourceNumber,
                 static_cast<unsigned>(GetLastError()));
        return false;
    }
    g.adopt(bitmap, pixels);
    return true;
}

bool keslImageWin::initWithFile_impl(const char* fileName) {
    Gdi& g = *m_gdi;
    if (g.bitmap != nullptr) {
        logError("keslImageWin.initWithFile(%s) called but hBitmap not null", fileName);
        return false;
    }
    if (g.surface.dc == nullptr) {
        logError("keslImageWin.initWithFile(%s) called but m_hDC is null", fileName);
        return false;
    }
    // The file is read and checked by our own reader rather than LoadImageA:
    // a malformed file must fail without anything reading past its end, and
    // top-down files must load the right way up everywhere.
    keslBitmapPixels pixels;
    std::string whyNot;
    if (!keslReadBitmapFile(fileName, pixels, whyNot)) {
        logError("#4653: image.loadFromFile failed:%s", fileName);
        logError("        %s", whyNot.c_str());
        return false;
    }
    keslPixelView view;
    const HBITMAP bitmap = createBitmap(pixels, view);
    if (bitmap == nullptr) {
        logError("#4653: image.loadFromFile failed:%s", fileName);
        logError("        with windows error code:%u", static_cast<unsigned>(GetLastError()));
        return false;
    }
    g.adopt(bitmap, view);
    return true;
}

keslPixelView keslImageWin::pixelView() {
    // GDI may still be drawing into the section; the caller's writes come after.
    keslGdiSettle();
    return m_gdi->surface.pixels;
}

keslColor keslImageWin::getPixel(int x, int y) { return m_gdi->tools.getPixel(x, y); }

void keslImageWin::setPixel(int x, int y, keslColor color) { m_gdi->tools.setPixel(x, y, color); }

void keslImageWin::multiplyPixel(int x, int y, float red, float green, float blue) {
    m_gdi->tools.multiplyPixel(x, y, red, green, blue);
}

int keslImageWin::getWidth() {
    m_gdi->readSize();
    return m_gdi->bitmap != nullptr ? m_gdi->width : 0;
}

int keslImageWin::getHeight() {
    m_gdi->readSize();
    return m_gdi->bitmap != nullptr ? m_gdi->height : 0;
}

int keslImageWin::drawText(int x, int y, const char* text, const keslTextParams& params) {
    return m_gdi->tools.drawText(x, y, text, params);
}

keslSurfaceHandle keslImageWin::getSurfaceHandle() { return m_gdi->bitmap != nullptr ? &m_gdi->surface : nullptr; }

void keslImageWin::resizeTo_impl(int width, int height) {
    Gdi& g = *m_gdi;
    if (g.bitmap == nullptr) {
        return;
    }
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxBitmapPixels) {
        logWarning("#8742: keslImageWin.resizeTo_impl(%i, %i): no picture of that size, kept as it is", width, height);
        return;
    }
    {
        const Gdi::Scratch scratch(g.surface.dc, width, height);
        SetStretchBltMode(scratch.dc, COLORONCOLOR);
        StretchBlt(scratch.dc, 0, 0, width, height, g.surface.dc, 0, 0, getWidth(), getHeight(), SRCCOPY);
        keslGdiMayHaveDrawn();
        g.takeOver(scratch, width, height);
    }
    logInfo("keslImageWin.resizeTo_impl() exiting with new w=%i, new h=%i", getWidth(), getHeight());
}

void keslImageWin::crop_impl(int x, int y, int width, int height) {
    Gdi& g = *m_gdi;
    if (g.bitmap == nullptr) {
        return;
    }
    const Gdi::Scratch scratch(g.surface.dc, width, height);
    BitBlt(scratch.dc, 0, 0, width, height, g.surface.dc, x, y, SRCCOPY);
    keslGdiMayHaveDrawn();
    g.takeOver(scratch, width, height);
}
