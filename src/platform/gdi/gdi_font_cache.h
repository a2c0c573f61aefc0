// The fonts the drawing tools have made, kept for the next call. Making a
// font is GDI's dearest step (matching the face, loading and hinting its
// glyphs anew), and the sky draws the same few texts in the same few fonts
// every frame. A handful is kept; the least recently used goes first.
// Each kept font stays selected in a device context of its own: Wine drops
// a font's rasterised glyphs once no context holds it, and the quote's fade
// cycles through a dozen sizes, so every size would be rasterised anew.
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

    // The quote's fade-in and fade-out sizes, the clock and the labels.
    static constexpr int kCapacity = 24;

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
        // Holds the font selected; made with the entry's first font.
        HDC keeper = nullptr;
        HGDIOBJ keeperFirstFont = nullptr;
        unsigned lastUse = 0;
    };

    // Selects the entry's font into its keeper, which lets go of the font it held.
    static void keepSelected(sEntry& entry);

    std::array<sEntry, kCapacity> m_entries{};
    unsigned m_uses = 0;
};
