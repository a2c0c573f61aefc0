#include "settings/message_editor.h"

#include "settings/localisation.h"
#include "util/file_system.h"

#include <algorithm>

keslMessageEditorView cMessageEditor::view() const {
    keslMessageEditorView view;
    const int index = m_list.currentIndex();
    const int reachable = std::min(count(), kMaxMessages);
    if (hasCurrent()) {
        const keslMessage& message = m_list.messages()[static_cast<std::size_t>(index)];
        view.text = message.text;
        view.bottomLine = message.bottomLine;
    }
    view.editsEnabled = count() > 0;
    view.previousEnabled = index > 0;
    view.nextEnabled = index + 1 < reachable;
    view.newEnabled = count() < kMaxMessages;
    const std::string position = keslLocalisation::get().translateOr("trn.Message position", "{index} of {count}");
    view.position = keslFileSystemMini::fillInBlank(
        keslFileSystemMini::fillInBlank(position, "index", std::to_string(hasCurrent() ? index + 1 : 0)), "count",
        std::to_string(reachable));
    return view;
}

void cMessageEditor::keepEdits(const std::string& text, const std::string& bottomLine) {
    if (!hasCurrent()) return;
    keslMessage& message = m_list.messages()[static_cast<std::size_t>(m_list.currentIndex())];
    message.text = text.substr(0, kMaxEditLength);
    message.bottomLine = bottomLine.substr(0, kMaxEditLength);
}

void cMessageEditor::insertNew() {
    // The button is disabled at the limit; a stray click must not pass it either.
    if (count() >= kMaxMessages) return;
    auto& messages = m_list.messages();
    const int at = hasCurrent() ? m_list.currentIndex() + 1 : count();
    messages.insert(messages.begin() + at, keslMessage{});
    m_list.setCurrentIndex(at);
}

void cMessageEditor::deleteCurrent() {
    if (!hasCurrent()) return;
    auto& messages = m_list.messages();
    messages.erase(messages.begin() + m_list.currentIndex());
    m_list.setCurrentIndex(std::min(m_list.currentIndex(), count() - 1));
}

void cMessageEditor::next() {
    if (count() == 0) return;
    m_list.setCurrentIndex(std::min(count() - 1, m_list.currentIndex() + 1));
}

void cMessageEditor::previous() {
    if (count() < 2) return;
    m_list.setCurrentIndex(std::max(0, m_list.currentIndex() - 1));
}
