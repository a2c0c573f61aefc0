// A sprite that draws one string with its own text attributes; labels, the
// clock and the bottom line are built on it. Its size is measured by the
// window with the sprite's font, so it goes stale when text or window change.
#pragma once

#include "sprites/sprite.h"

#include <string>

class TzerinSpriteText : public TzerinSprite {
public:
    explicit TzerinSpriteText(const char* name);

    void draw() override;
    void calculateSize() override;
    virtual void setText(const char* text);

    const std::string& getText() const { return m_text; }

private:
    int alignmentOffset() const;

    std::string m_text;
};
