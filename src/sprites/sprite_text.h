// A sprite that draws one string with its own text attributes; labels, the
// clock and the bottom line are built on it. Its size is measured by the
// window with the sprite's font, so it goes stale when text or window change.
// What it paints is measured apart, with the font and size in force now (a
// fading text grows without being re-measured), and only again when text,
// font or size change.
#pragma once

#include "platform/text_params.h"
#include "sprites/sprite.h"
#include "system/point.h"

#include <optional>
#include <string>

class TzerinSpriteText : public TzerinSprite {
public:
    explicit TzerinSpriteText(const char* name);

    void draw() override;
    void calculateSize() override;
    keslRect<int> coverage() override;
    std::uint64_t appearance() override;
    virtual void setText(const char* text);

    const std::string& getText() const { return m_text; }

    spriteTextParams textParams;

protected:
    // Width and height of line in the sprite's own font and size; needs a window.
    keslPoint<int> measureLine(const std::string& line) const;

private:
    int alignmentOffset() const;
    // Measures the painted text again when text, font, size or alignment changed since the last time.
    void refreshInk();

    std::string m_text;
    std::uint64_t m_textVersion = 0;
    // What the last measurement of the painted text was made for, and what it gave.
    std::uint64_t m_inkTextVersion = ~0ull;
    keslWindow* m_inkWindow = nullptr;
    std::string m_inkFontName;
    float m_inkFontSize = -1.0f;
    std::optional<std::int32_t> m_inkAlignment;
    // Drawn straight onto the window, a text is painted by the system rather than from its kept ink.
    bool m_inkDoubleBuffered = false;
    int m_inkWidth = 0;
    int m_inkHeight = 0;
    // The pixels the text paints drawn at (0, 0), when the window knows them exactly.
    std::optional<keslRect<int>> m_keptInk;
};
