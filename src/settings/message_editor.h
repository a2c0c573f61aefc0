// The Messages page's editing rules over the message list: one message at a
// time in the edits, at most 100 reachable, and the edits written back into
// the list before anything moves away from the current message.
#pragma once

#include "settings/message_list.h"

#include <string>

struct keslMessageEditorView {
    std::string text;        // empty when there is no current message
    std::string bottomLine;
    bool editsEnabled;       // also "Delete"
    bool previousEnabled;
    bool nextEnabled;
    bool newEnabled;
    std::string position;    // "3 of 7"
};

class cMessageEditor {
public:
    static constexpr int kMaxMessages = 100;
    // What an edit hands back at most, so a pasted novel cannot grow the file without bound.
    static constexpr std::size_t kMaxEditLength = 4999;

    explicit cMessageEditor(cMessageList& list) : m_list(list) {}

    keslMessageEditorView view() const;
    // Writes the edits into the current message, if there is one.
    void keepEdits(const std::string& text, const std::string& bottomLine);

    // Each of these expects keepEdits first where the page keeps the edits.
    void insertNew();
    void deleteCurrent();
    void next();
    void previous();

private:
    int count() const { return static_cast<int>(m_list.messages().size()); }
    bool hasCurrent() const { return m_list.currentIndex() >= 0 && m_list.currentIndex() < count(); }

    cMessageList& m_list;
};
