#include "platform/gdi/image_win.h"

#include "platform/bitmap_reader.h"
#include "platform/gdi/drawing_tools_win_dc.h"
#include "util/log.h"

namespace {

// A screen-compatible bitmap holding the decoded pixels.
HBITMAP createBitmap(const keslBitmapPixels& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, pixels.width, pixels.height);
    const UINT rows = static_cast<UINT>(pixels.height);
    if (bitmap != nullptr && SetDIBits(screen, bitmap, 0, rows, pixels.pixels.data(), &info, DIB_RGB_COLORS) == 0) {
        DeleteObject(bitmap);
        ReleaseDC(nullptr, screen);
        return nullptr;
    }
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace

struct keslImageWin::Gdi {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    // What the fresh context held before our first bitmap; restored at the end.
    HGDIOBJ original = nullptr;
    int width = 0;
    int height = 0;
    bool sizeUnknown = true;
    keslDrawingToolsWinDC tools{&dc};

    // Selects a new bitmap and deletes the one it replaces.
    void adopt(HBITMAP replacement) {
        const HGDIOBJ previous = SelectObject(dc, replacement);
        if (bitmap == nullptr) {
            original = previous;
        } else {
            DeleteObject(bitmap);
        }
        bitmap = replacement;
        sizeUnknown = true;
    }

    void readSize() {
        if (!sizeUnknown || bitmap == nullptr) {
            return;
        }
        BITMAP info{};
        GetObjectA(bitmap, sizeof(info), &info);
        width = info.bmWidth;
        height = info.bmHeight;
        sizeUnknown = false;
    }

    // A memory context with a bitmap of this size, both compatible with the image's.
    struct Scratch {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ previous = nullptr;
        Scratch(HDC like, int width, int height) {
            dc = CreateCompatibleDC(like);
            bitmap = CreateCompatibleBitmap(like, width, height);
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
        const HBITMAP replacement = CreateCompatibleBitmap(dc, newWidth, newHeight);
        if (replacement == nullptr || scratch.bitmap == nullptr) {
            if (replacement != nullptr) {
                DeleteObject(replacement);
            }
            logError("#8743: keslImageWin: no bitmap of %i x %i, the image keeps its size", newWidth, newHeight);
            return;
        }
        adopt(replacement);
        BitBlt(dc, 0, 0, newWidth, newHeight, scratch.dc, 0, 0, SRCCOPY);
    }
};

keslImageWin::keslImageWin() : m_gdi(std::make_unique<Gdi>()) {
    m_gdi->dc = CreateCompatibleDC(nullptr);
    if (m_gdi->dc != nullptr) {
        SetBkMode(m_gdi->dc, TRANSPARENT);
    }
}

keslImageWin::~keslImageWin() {
    Gdi& g = *m_gdi;
    if (g.bitmap != nullptr) {
        SelectObject(g.dc, g.original);
        DeleteObject(g.bitmap);
    }
    if (g.dc != nullptr) {
        DeleteDC(g.dc);
    }
}

bool keslImageWin::initWithSizeAndColor(int width, int height, keslColor color) {
    Gdi& g = *m_gdi;
    if (g.bitmap != nullptr) {
        logError("keslImageWin.initWithSizeAndColor() called but m_GDIHBitmap not null");
    }
    if (g.dc == nullptr) {
        logError("keslImageWin.initWithSizeAndColor() called but m_hDC is null");
        return false;
    }
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (bitmap == nullptr) {
        logError("#8741: keslImageWin.initWithSizeAndColor(%i, %i): no bitmap of that size", width, height);
        return false;
    }
    g.adopt(bitmap);
    g.tools.fillRect(keslRect<int>(0, 0, width, height), color);
    return true;
}

bool keslImageWin::initWithResource_impl(int resourceNumber) {
    Gdi& g = *m_gdi;
    if (g.bitmap != nullptr) {
        logError("keslImageWin.initWithResource_impl(%i) called but hBitmap not null", resourceNumber);
        return false;
    }
    const HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceNumber));
    if (bitmap == nullptr) {
        logError("#4653b: image.initWithResource_impl failed:%i with windows error code:%u", resourceNumber,
                 static_cast<unsigned>(GetLastError()));
        return false;
    }
    if (g.dc == nullptr) {
        logError("keslImageWin.initWithResource_impl(%i) called but m_hDC is null", resourceNumber);
        DeleteObject(bitmap);
        return false;
    }
    g.adopt(bitmap);
    return true;
}

bool keslImageWin::initWithFile_impl(const char* fileName) {
    Gdi& g = *m_gdi;
    if (g.bitmap != nullptr) {
        logError("keslImageWin.initWithFile(%s) called but hBitmap not null", fileName);
        return false;
    }
    if (g.dc == nullptr) {
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
    const HBITMAP bitmap = createBitmap(pixels);
    if (bitmap == nullptr) {
        logError("#4653: image.loadFromFile failed:%s", fileName);
        logError("        with windows error code:%u", static_cast<unsigned>(GetLastError()));
        return false;
    }
    g.adopt(bitmap);
    return true;
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

keslSurfaceHandle keslImageWin::getSurfaceHandle() { return m_gdi->bitmap != nullptr ? m_gdi->dc : nullptr; }

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
        const Gdi::Scratch scratch(g.dc, width, height);
        SetStretchBltMode(scratch.dc, COLORONCOLOR);
        StretchBlt(scratch.dc, 0, 0, width, height, g.dc, 0, 0, getWidth(), getHeight(), SRCCOPY);
        g.takeOver(scratch, width, height);
    }
    logInfo("keslImageWin.resizeTo_impl() exiting with new w=%i, new h=%i", getWidth(), getHeight());
}

void keslImageWin::crop_impl(int x, int y, int width, int height) {
    Gdi& g = *m_gdi;
    if (g.bitmap == nullptr) {
        return;
    }
    const Gdi::Scratch scratch(g.dc, width, height);
    BitBlt(scratch.dc, 0, 0, width, height, g.dc, x, y, SRCCOPY);
    g.takeOver(scratch, width, height);
}
