#include "world/change_ledger.h"

void cChangeLedger::note(const keslRect<int>& rect) {
    if (m_changes.size() < m_changes.capacity()) {
        m_changes.push_back(rect);
        return;
    }
    // Too much changed to list: the whole window is new.
    wholeWindow();
}

void cChangeLedger::wholeWindow() {
    m_changes.clear();
    ++m_look;
}

void cChangeLedger::report(keslDirtyRegion& region) {
    for (const keslRect<int>& rect : m_changes) region.add(rect);
    m_changes.clear();
}
