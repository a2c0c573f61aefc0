#include "platform/gdi/gdi_font_cache.h"

keslGdiFontCache::~keslGdiFontCache() {
    for (sEntry& entry : m_entries) {
        if (entry.keeper != nullptr) {
            SelectObject(entry.keeper, entry.keeperFirstFont);
            DeleteDC(entry.keeper);
        }
        if (entry.font != nullptr) DeleteObject(entry.font);
    }
}

void keslGdiFontCache::keepSelected(sEntry& entry) {
    if (entry.keeper != nullptr) {
        SelectObject(entry.keeper, entry.font);
        return;
    }
    entry.keeper = CreateCompatibleDC(nullptr);
    if (entry.keeper != nullptr) entry.keeperFirstFont = SelectObject(entry.keeper, entry.font);
}

HFONT keslGdiFontCache::fontFor(const sFontKey& key) {
    ++m_uses;
    sEntry* oldest = &m_entries[0];
    for (sEntry& entry : m_entries) {
        if (entry.font != nullptr && entry.key == key) {
            entry.lastUse = m_uses;
            return entry.font;
        }
        // An empty place was never used: it goes before any font.
        if (entry.lastUse < oldest->lastUse) oldest = &entry;
    }
    const HFONT font = CreateFontA(-key.height, 0, 0, 0, key.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, key.quality,
                                   DEFAULT_PITCH | FF_DONTCARE, key.face.c_str());
    if (font == nullptr) return nullptr;
    const HFONT replaced = oldest->font;
    oldest->key = key;
    oldest->font = font;
    oldest->lastUse = m_uses;
    // GDI puts off deleting a font still selected somewhere: the keeper lets go of it first.
    keepSelected(*oldest);
    if (replaced != nullptr) DeleteObject(replaced);
    return font;
}
