#include "platform/window.h"

#include "util/log.h"

#include <cstdint>

void keslWindow::logConstruction() {
    if (getWindowHandle() == nullptr) {
        logError("Error: keslWindow(wHandle) with NIL wHandle");
        return;
    }
    logInfo("keslWindow(wHandle:%X) constructor start",
            static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(getWindowHandle())));
}

void keslWindow::clear() { clearWithColor(getBackgroundColor()); }

template <typename Draw>
void keslWindow::clipped(Draw&& draw) {
    if (m_clipRegion == nullptr) {
        draw();
        return;
    }
    for (const keslRect<int>& rect : *m_clipRegion) {
        setClipRect(&rect);
        draw();
    }
    setClipRect(nullptr);
}

void keslWindow::clearWithColor(keslColor color) {
    clipped([&] { keslWindowPlatform::clearWithColor(color); });
}

void keslWindow::fillRect(const keslRect<int>& rect, keslColor color) {
    clipped([&] { keslWindowPlatform::fillRect(rect, color); });
}

void keslWindow::fillEllipse(int left, int top, int right, int bottom, keslColor color) {
    clipped([&] { keslWindowPlatform::fillEllipse(left, top, right, bottom, color); });
}

void keslWindow::drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) {
    clipped([&] { keslWindowPlatform::drawLine(x1, y1, x2, y2, width, color); });
}

void keslWindow::drawImage(int x, int y, keslSurfaceHandle source, int width, int height,
                           std::optional<keslColor> transparentColor) {
    clipped([&] { keslWindowPlatform::drawImage(x, y, source, width, height, transparentColor); });
}

int keslWindow::drawText(int x, int y, const char* text, const spriteTextParams& attributes) {
    pushTextAttributes(attributes);
    int height = 0;
    clipped([&] { height = drawTextInForce(x, y, text); });
    popTextAttributes(attributes);
    return height;
}

void keslWindow::pushTextAttributes(const spriteTextParams& attributes) {
    if (attributes.alignment.has_value()) {
        m_alignment.push(toDrawingAlignment(*attributes.alignment));
    }
    if (attributes.color.has_value()) {
        m_textColor.push(*attributes.color);
    }
    if (attributes.fontName.has_value()) {
        m_fontName.push(*attributes.fontName);
    }
    if (attributes.fontSize.has_value()) {
        m_fontSize.push(*attributes.fontSize);
    }
}

void keslWindow::popTextAttributes(const spriteTextParams& attributes) {
    if (attributes.alignment.has_value()) {
        m_alignment.pop();
    }
    if (attributes.color.has_value()) {
        m_textColor.pop();
    }
    if (attributes.fontName.has_value()) {
        m_fontName.pop();
    }
    if (attributes.fontSize.has_value()) {
        m_fontSize.pop();
    }
}

bool keslWindow::insideClient(int x, int y) {
    return x >= 0 && y >= 0 && x < getClientWidth() && y < getClientHeight();
}

keslColor keslWindow::getPixel(int x, int y) {
    if (!insideClient(x, y)) {
        return kColorOpaqueBlack;
    }
    return keslWindowPlatform::getPixel(x, y);
}

void keslWindow::setPixel(int x, int y, keslColor color) {
    if (!insideClient(x, y)) return;
    if (m_clipRegion != nullptr && !m_clipRegion->intersects(keslRect<int>(y, x, 1, 1))) return;
    keslWindowPlatform::setPixel(x, y, color);
}
