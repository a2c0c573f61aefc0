// One line of a list at a time, changed every few seconds and typed over the
// previous line character by character. Member of the moon-info label, which
// composes its text from several rotators.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class cTextRotator {
public:
    static constexpr std::int32_t kLineDurationMs = 4000;

    // The first line added becomes the current line at once.
    void addLine(const std::string& text);
    // One typing step; returns what the label should show for this list now.
    const std::string& typewriterStep();
    // Moves to the next line once more than the line duration has accumulated.
    void advance(std::int32_t ms);

    bool hasLines() const { return !m_lines.empty(); }
    const std::vector<std::string>& lines() const { return m_lines; }
    const std::string& currentLine() const { return m_currentLine; }
    const std::string& displayedText() const { return m_displayedText; }
    // displayedText still has to be typed further.
    bool isChanged() const { return m_changed; }
    bool isTyping() const { return m_typing; }

private:
    std::int32_t m_characterIndex = 0;
    bool m_typing = false;
    std::vector<std::string> m_lines;
    std::string m_displayedText;
    std::string m_currentLine;
    std::int32_t m_lineIndex = 0;
    std::int32_t m_lineDurationMs = kLineDurationMs;
    std::int32_t m_elapsedMs = 0;
    bool m_changed = false;
};
