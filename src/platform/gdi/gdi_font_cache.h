// The fonts the drawing tools have made, kept for the next call. Making a
// font is GDI's dearest step (matching the face, loading and hinting its
// glyphs anew), and the sky draws the same few texts in the same few fonts
// every frame. A handful is kept; the least recently used goes first.
#pragma once

#include <windows.h>

#include <array>
#include <string>

class keslGdiFontCache {
public:
    struct sFontKey {
        std::string face;
        int height = 0;
        int weight = FW_NORMAL;
        DWORD quality = DEFAULT_QUALITY;

        bool operator==(const sFontKey& other) const {
            return height == other.height && weight == other.weight && quality == other.quality &&
                   face == other.face;
        }
    };

    static constexpr int kCapacity = 8;

    keslGdiFontCache() = default;
    ~keslGdiFontCache();
    keslGdiFontCache(const keslGdiFontCache&) = delete;
    keslGdiFontCache& operator=(const keslGdiFontCache&) = delete;

    // The font for the key, made now if it is not kept; null when GDI cannot make it. The cache owns it:
    // the caller selects it for one call and restores the previous font before the next request.
    HFONT fontFor(const sFontKey& key);

private:
    struct sEntry {
        sFontKey key;
        HFONT font = nullptr;
        unsigned lastUse = 0;
    };

    std::array<sEntry, kCapacity> m_entries{};
    unsigned m_uses = 0;
};
