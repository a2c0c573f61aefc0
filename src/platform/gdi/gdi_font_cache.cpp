#include "platform/gdi/gdi_font_cache.h"

keslGdiFontCache::~keslGdiFontCache() {
    for (sEntry& entry : m_entries) {
        if (entry.font != nullptr) DeleteObject(entry.font);
    }
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
    if (oldest->font != nullptr) DeleteObject(oldest->font);
    oldest->key = key;
    oldest->font = font;
    oldest->lastUse = m_uses;
    return font;
}
