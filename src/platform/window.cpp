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

int keslWindow::drawText(int x, int y, const char* text, const spriteTextParams& attributes) {
    pushTextAttributes(attributes);
    const int height = drawTextInForce(x, y, text);
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
    if (insideClient(x, y)) {
        keslWindowPlatform::setPixel(x, y, color);
    }
}
