#include "sprites/sprite_text.h"

#include "platform/window.h"
#include "sprites/sprite_look.h"
#include "util/log.h"

#include <cstring>
#include <functional>

TzerinSpriteText::TzerinSpriteText(const char* name) : TzerinSprite(name) {}

void TzerinSpriteText::setText(const char* text) {
    const char* newText = text ? text : "";
    if (m_text == newText) return;
    m_text = newText;
    ++m_textVersion;
    sizeValid = false;
}

void TzerinSpriteText::calculateSize() {
    if (!m_renderWindowPtr) {
        width = 0;
        height = 0;
        return;
    }
    const keslPoint<int> measured = measureLine(m_text);
    width = static_cast<float>(measured.x);
    height = static_cast<float>(measured.y);
    sizeValid = true;
}

keslPoint<int> TzerinSpriteText::measureLine(const std::string& line) const {
    spriteTextParams measuring;
    measuring.fontName = textParams.fontName;
    measuring.fontSize = textParams.fontSize;
    m_renderWindowPtr->pushTextAttributes(measuring);
    keslPoint<int> measured{0, 0};
    m_renderWindowPtr->getTextSize(line.c_str(), &measured.x, &measured.y);
    m_renderWindowPtr->popTextAttributes(measuring);
    return measured;
}

void TzerinSpriteText::refreshInk() {
    const std::string& fontName = textParams.fontName ? *textParams.fontName : m_renderWindowPtr->getFontName();
    const float fontSize = textParams.fontSize.value_or(m_renderWindowPtr->getFontSize());
    if (m_inkTextVersion == m_textVersion && m_inkWindow == m_renderWindowPtr && m_inkFontSize == fontSize &&
        m_inkFontName == fontName && m_inkAlignment == textParams.alignment &&
        m_inkDoubleBuffered == m_renderWindowPtr->isDoubleBuffered()) {
        return;
    }
    m_inkTextVersion = m_textVersion;
    m_inkWindow = m_renderWindowPtr;
    m_inkFontSize = fontSize;
    m_inkFontName = fontName;
    m_inkAlignment = textParams.alignment;
    m_inkDoubleBuffered = m_renderWindowPtr->isDoubleBuffered();
    m_keptInk = m_renderWindowPtr->textInk(0, 0, m_text.c_str(), textParams);
    // Kept ink is the exact box; only without it is the text measured for a padded one.
    if (m_keptInk) return;
    spriteTextParams measuring;
    measuring.fontName = textParams.fontName;
    measuring.fontSize = textParams.fontSize;
    m_renderWindowPtr->pushTextAttributes(measuring);
    m_renderWindowPtr->getTextSize(m_text.c_str(), &m_inkWidth, &m_inkHeight);
    m_renderWindowPtr->popTextAttributes(measuring);
}

keslRect<int> TzerinSpriteText::coverage() {
    if (!m_renderWindowPtr || m_text.empty()) return {};
    if (!sizeValid) calculateSize();
    refreshInk();
    const int anchor = static_cast<int>(x) - alignmentOffset();
    // A backend that keeps the text's ink knows exactly what drawing paints.
    if (m_keptInk) {
        return keslRect<int>(m_keptInk->top + static_cast<int>(y), m_keptInk->left + anchor, m_keptInk->width,
                             m_keptInk->height);
    }
    // Glyphs may reach past their advance and above or below the line; a
    // third of the line height on every side holds what any face paints.
    const int pad = m_inkHeight / 3 + 2;
    // A text without an alignment of its own is drawn with the window's, as
    // the clock, the quotes and the bottom line are: it lies on one side of x.
    const keslTextAlign drawing = textParams.alignment.has_value() ? toDrawingAlignment(*textParams.alignment)
                                                                   : m_renderWindowPtr->getAlignment();
    int from = anchor;
    int to = anchor + m_inkWidth;
    if (drawing == kTextAlignRight) {
        from = anchor - m_inkWidth;
        to = anchor;
    }
    if (drawing == kTextAlignCentre) {
        from = anchor - m_inkWidth / 2 - 1;
        to = anchor + m_inkWidth / 2 + 1;
    }
    return keslRect<int>(static_cast<int>(y) - pad, from - pad, to - from + 2 * pad, m_inkHeight + 2 * pad);
}

std::uint64_t TzerinSpriteText::appearance() {
    std::uint64_t look = keslMixLook(m_textVersion, textParams.color.value_or(0));
    std::uint32_t sizeBits = 0;
    const float size = textParams.fontSize.value_or(0.0f);
    static_assert(sizeof sizeBits == sizeof size, "a float's bits fit 32 bits");
    std::memcpy(&sizeBits, &size, sizeof size);
    look = keslMixLook(look, sizeBits);
    look = keslMixLook(look, static_cast<std::uint64_t>(textParams.alignment.value_or(0)));
    // The font is part of the look only when it changes, which refreshInk notices by name.
    return keslMixLook(look, static_cast<std::uint64_t>(std::hash<std::string>()(m_inkFontName)));
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
    // Drawn where the last report found it: the text, font and size it was measured with are still in force.
    m_renderWindowPtr->drawText(static_cast<int>(x) - alignmentOffset(), static_cast<int>(y), m_text.c_str(),
                                textParams, TzerinSpriteText::coverage());
}
