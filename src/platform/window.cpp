#include "platform/window.h"

#include "util/log.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

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
void keslWindow::clipped(const keslRect<int>* reach, Draw&& draw) {
    if (m_clipRegion == nullptr) {
        draw();
        return;
    }
    bool clipSet = false;
    auto drawIn = [&](const keslRect<int>& rect) {
        setClipRect(&rect);
        clipSet = true;
        draw();
    };
    if (reach != nullptr) {
        m_clipRegion->forEachOverlapping(*reach, drawIn);
    } else {
        for (const keslRect<int>& rect : *m_clipRegion) drawIn(rect);
    }
    if (clipSet) setClipRect(nullptr);
}

namespace {
// The box a line of this pen width may paint, round caps included.
keslRect<int> lineReach(int x1, int y1, int x2, int y2, int width) {
    const int reach = width / 2 + 2;
    const int left = std::min(x1, x2) - reach;
    const int top = std::min(y1, y2) - reach;
    return keslRect<int>(top, left, std::max(x1, x2) + reach + 1 - left, std::max(y1, y2) + reach + 1 - top);
}
}  // namespace

void keslWindow::clearWithColor(keslColor color) {
    clipped(nullptr, [&] { keslWindowPlatform::clearWithColor(color); });
}

void keslWindow::fillRect(const keslRect<int>& rect, keslColor color) {
    clipped(&rect, [&] { keslWindowPlatform::fillRect(rect, color); });
}

void keslWindow::fillEllipse(int left, int top, int right, int bottom, keslColor color) {
    const keslRect<int> reach(std::min(top, bottom), std::min(left, right), std::abs(right - left) + 1,
                              std::abs(bottom - top) + 1);
    clipped(&reach, [&] { keslWindowPlatform::fillEllipse(left, top, right, bottom, color); });
}

void keslWindow::drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) {
    const keslRect<int> reach = lineReach(x1, y1, x2, y2, width);
    clipped(&reach, [&] { keslWindowPlatform::drawLine(x1, y1, x2, y2, width, color); });
}

void keslWindow::drawImage(int x, int y, keslSurfaceHandle source, int width, int height,
                           std::optional<keslColor> transparentColor) {
    const keslRect<int> reach(y, x, width, height);
    clipped(&reach, [&] { keslWindowPlatform::drawImage(x, y, source, width, height, transparentColor); });
}

bool keslWindow::drawPixels(int x, int y, const keslPixelView& pixels, std::optional<keslColor> transparentColor) {
    const keslRect<int> reach(y, x, pixels.width, pixels.height);
    bool drawn = true;
    clipped(&reach, [&] { drawn = keslWindowPlatform::drawPixels(x, y, pixels, transparentColor) && drawn; });
    return drawn;
}

bool keslWindow::lightenPixels(int x, int y, const keslPixelView& pixels) {
    const keslRect<int> reach(y, x, pixels.width, pixels.height);
    bool drawn = true;
    clipped(&reach, [&] { drawn = keslWindowPlatform::lightenPixels(x, y, pixels) && drawn; });
    return drawn;
}

bool keslWindow::drawTiledPixels(const keslPixelView& tile, const keslRect<int>& area) {
    bool drawn = true;
    clipped(&area, [&] { drawn = keslWindowPlatform::drawTiledPixels(tile, area) && drawn; });
    return drawn;
}

keslRect<int> keslWindow::textReach(int x, int y, const char* text) {
    int width = 0;
    int height = 0;
    getTextSize(text, &width, &height);
    // Whatever the alignment, the text lies within a width either side of x;
    // glyphs may overhang their line by part of its height.
    const int pad = height / 3 + 2;
    return keslRect<int>(y - pad, x - width - pad, 2 * (width + pad), height + 2 * pad);
}

int keslWindow::drawText(int x, int y, const char* text, const spriteTextParams& attributes,
                         const keslRect<int>& reach) {
    pushTextAttributes(attributes);
    int height = 0;
    clipped(&reach, [&] { height = drawTextInForce(x, y, text); });
    popTextAttributes(attributes);
    return height;
}

int keslWindow::drawText(int x, int y, const char* text, const spriteTextParams& attributes) {
    pushTextAttributes(attributes);
    int height = 0;
    if (m_clipRegion != nullptr && text != nullptr) {
        const keslRect<int> reach = textReach(x, y, text);
        clipped(&reach, [&] { height = drawTextInForce(x, y, text); });
    } else {
        clipped(nullptr, [&] { height = drawTextInForce(x, y, text); });
    }
    popTextAttributes(attributes);
    return height;
}

std::optional<keslRect<int>> keslWindow::textInk(int x, int y, const char* text, const spriteTextParams& attributes) {
    if (text == nullptr) return std::nullopt;
    pushTextAttributes(attributes);
    const std::optional<keslRect<int>> ink = textInkInForce(x, y, text);
    popTextAttributes(attributes);
    return ink;
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
