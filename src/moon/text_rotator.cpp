#include "moon/text_rotator.h"

void cTextRotator::addLine(const std::string& text) {
    if (m_lines.empty()) {
        m_currentLine = text;
        m_changed = true;
    }
    m_lines.push_back(text);
}

const std::string& cTextRotator::typewriterStep() {
    if (!m_changed) return m_displayedText;
    const auto index = static_cast<std::size_t>(m_characterIndex);
    if (index >= m_currentLine.size()) {
        // The last step also cuts the tail of a longer previous line.
        m_displayedText = m_currentLine;
        m_typing = false;
        m_characterIndex = 0;
        m_changed = false;
        return m_displayedText;
    }
    m_typing = true;
    if (index < m_displayedText.size()) {
        m_displayedText[index] = m_currentLine[index];
    } else {
        m_displayedText.push_back(m_currentLine[index]);
    }
    ++m_characterIndex;
    return m_displayedText;
}

void cTextRotator::advance(std::int32_t ms) {
    m_elapsedMs += ms;
    if (m_elapsedMs <= m_lineDurationMs) return;
    m_elapsedMs = 0;
    const std::int32_t oldIndex = m_lineIndex;
    ++m_lineIndex;
    if (m_lineIndex >= static_cast<std::int32_t>(m_lines.size())) m_lineIndex = 0;
    if (m_lineIndex == oldIndex || m_lines.empty()) return;
    m_currentLine = m_lines[static_cast<std::size_t>(m_lineIndex)];
    m_changed = true;
}
