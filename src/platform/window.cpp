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
    if (!attributes.alignment.isAbsent) {
        m_alignment.push(toDrawingAlignment(attributes.alignment.value));
    }
    if (!attributes.color.isAbsent) {
        m_textColor.push(attributes.color.value);
    }
    if (!attributes.fontName.isAbsent) {
        m_fontName.push(attributes.fontName.value);
    }
    if (!attributes.fontSize.isAbsent) {
        m_fontSize.push(attributes.fontSize.value);
    }
}

void keslWindow::popTextAttributes(const spriteTextParams& attributes) {
    if (!attributes.alignment.isAbsent) {
        m_alignment.pop();
    }
    if (!attributes.color.isAbsent) {
        m_textColor.pop();
    }
    if (!attributes.fontName.isAbsent) {
        m_fontName.pop();
    }
    if (!attributes.fontSize.isAbsent) {
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
