#include "sprites/sprite_text.h"

#include "platform/window.h"
#include "util/log.h"

TzerinSpriteText::TzerinSpriteText(const char* name) : TzerinSprite(name) {}

void TzerinSpriteText::setText(const char* text) {
    const char* newText = text ? text : "";
    if (m_text == newText) return;
    m_text = newText;
    sizeValid = false;
}

void TzerinSpriteText::calculateSize() {
    if (!m_renderWindowPtr) {
        width = 0;
        height = 0;
        return;
    }
    spriteTextParams measuring;
    measuring.fontName = textParams.fontName;
    measuring.fontSize = textParams.fontSize;
    m_renderWindowPtr->pushTextAttributes(measuring);
    int measuredWidth = 0;
    int measuredHeight = 0;
    m_renderWindowPtr->getTextSize(m_text.c_str(), &measuredWidth, &measuredHeight);
    m_renderWindowPtr->popTextAttributes(measuring);
    width = static_cast<float>(measuredWidth);
    height = static_cast<float>(measuredHeight);
    sizeValid = true;
}

int TzerinSpriteText::alignmentOffset() const {
    if (!textParams.alignment.has_value()) return 0;
    if (*textParams.alignment == kSpriteAlignRight) return static_cast<int>(width);
    if (*textParams.alignment == kSpriteAlignCentre) return static_cast<int>(width) / 2;
    return 0;
}

void TzerinSpriteText::draw() {
    if (disabledCount > 0) return;
    if (!m_renderWindowPtr) {
        logError("#4573: %s.draw() with nil m_renderWindowPtr", getName());
        return;
    }
    TzerinSprite::draw();
    // A stale size would put an aligned text where the previous text belonged.
    if (!sizeValid) calculateSize();
    m_renderWindowPtr->drawText(static_cast<int>(x) - alignmentOffset(), static_cast<int>(y), m_text.c_str(),
                                textParams);
}
