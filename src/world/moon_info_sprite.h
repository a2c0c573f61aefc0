// The label under the moon: the notable-night notice, the phase name, the
// phase in degrees and percent, and the next full and new moons. Each list
// of sentences shows one line at a time, changes every few seconds and types
// the new line over the old one, so the label only rebuilds its text while
// something is being typed. While the earth's shadow lies on the moon, a
// line saying so stands first.
#pragma once

#include "moon/moon_texts.h"
#include "sprites/sprite_text.h"

#include <string>

class cMoonInfoSprite : public TzerinSpriteText {
public:
    static constexpr keslColor kTextColor = 0xAFEEBBFFu;
    static constexpr float kFontSize = 11.0f;
    static constexpr float kPreviewFontDivisor = 3.0f;

    cMoonInfoSprite();

    void update(float seconds) override;

    // Fills the sentences when the label is set up, and anew (replacing the
    // old ones) when a long run finds the moon moved on.
    void fillFrom(const cMoonInfo& moonInfo, const sMoonTextOptions& options);

    // The line about an eclipse under way; empty when there is none.
    void setEclipseLine(const std::string& line);

    const sMoonInfoLines& lines() const { return m_lines; }
    // The width of the widest line any turn of the label may show, in the
    // label's font; 0 without a window.
    float widestLineWidth() const;

private:
    bool anyLineChanged() const;
    void composeText();
    void appendPart(const std::string& part);
    float lineWidth(const std::string& line) const;

    sMoonInfoLines m_lines;
    std::string m_eclipseLine;
    bool m_needsRebuild = true;
    // Reused for every composition, so typing allocates nothing once it has grown.
    std::string m_composed;
};
