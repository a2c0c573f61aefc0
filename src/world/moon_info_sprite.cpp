#include "world/moon_info_sprite.h"

#include "platform/window.h"

#include <algorithm>

cMoonInfoSprite::cMoonInfoSprite() : TzerinSpriteText("moonInfoLabel") {
    textParams.color = kTextColor;
    textParams.fontSize = kFontSize;
    textParams.alignment = kSpriteAlignCentre;
}

void cMoonInfoSprite::fillFrom(const cMoonInfo& moonInfo, const sMoonTextOptions& options) {
    m_lines = sMoonInfoLines();
    fillFromMoonInfo(m_lines, moonInfo, options);
    m_needsRebuild = true;
}

bool cMoonInfoSprite::anyLineChanged() const {
    return m_lines.notableLines.isChanged() || m_lines.phaseLines.isChanged() || m_lines.nextDatesLines.isChanged();
}

void cMoonInfoSprite::update(float seconds) {
    if (m_needsRebuild || anyLineChanged()) {
        m_needsRebuild = false;
        composeText();
    }
    const auto ms = static_cast<std::int32_t>(seconds * 1000.0f);
    m_lines.nextDatesLines.advance(ms);
    m_lines.phaseLines.advance(ms);
    m_lines.notableLines.advance(ms);
    TzerinSpriteText::update(seconds);
}

void cMoonInfoSprite::setEclipseLine(const std::string& line) {
    if (line == m_eclipseLine) return;
    m_eclipseLine = line;
    m_needsRebuild = true;
}

void cMoonInfoSprite::composeText() {
    m_composed.clear();
    appendPart(m_eclipseLine);
    appendPart(m_lines.notableLines.typewriterStep());
    appendPart(m_lines.phaseNameText);
    if (m_lines.phaseLines.hasLines()) appendPart(m_lines.phaseLines.typewriterStep());
    if (m_lines.nextDatesLines.hasLines()) appendPart(m_lines.nextDatesLines.typewriterStep());
    setText(m_composed.c_str());
}

void cMoonInfoSprite::appendPart(const std::string& part) {
    if (part.empty()) return;
    if (!m_composed.empty()) m_composed += '\n';
    m_composed += part;
}

float cMoonInfoSprite::widestLineWidth() const {
    if (!m_renderWindowPtr) return 0.0f;
    float widest = std::max(lineWidth(m_lines.phaseNameText), lineWidth(m_eclipseLine));
    for (const cTextRotator* rotator : {&m_lines.notableLines, &m_lines.phaseLines, &m_lines.nextDatesLines}) {
        for (const std::string& line : rotator->lines()) widest = std::max(widest, lineWidth(line));
    }
    return widest;
}

float cMoonInfoSprite::lineWidth(const std::string& line) const {
    return static_cast<float>(measureLine(line).x);
}
