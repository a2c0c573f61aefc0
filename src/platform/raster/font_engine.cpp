#include "platform/raster/font_engine.h"

#include "platform/text_encoding.h"
#include "util/log.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <strings.h>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// Glyph bitmaps and sized faces are kept across calls: a fading text asks
// for a new size nearly every frame, and the same few sizes again with every
// line and every quote.
constexpr size_t kGlyphCacheLimit = 8192;
// Sizes per process are few (whole points); the limit only guards memory.
constexpr size_t kSizeCacheLimit = 512;
// Texts laid out and kept: the labels of one sky (clock, quote lines, moon
// label, bottom line) with room to spare; the oldest is laid out anew.
constexpr size_t kLayoutCacheSize = 16;

// The Windows families the system names, and the metric-compatible faces
// that stand in for them.
const char* standInFamily(const std::string& family) {
    static const std::pair<const char*, const char*> kStandIns[] = {
        {"Arial", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},
        {"Times New Roman", "Liberation Serif"},
        {"Comic Sans MS", "Comic Neue"},
    };
    for (const auto& [windowsName, standIn] : kStandIns) {
        if (strcasecmp(family.c_str(), windowsName) == 0) {
            return standIn;
        }
    }
    return family.c_str();
}

struct Glyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int rows = 0;
    int advance = 0;
    std::vector<std::uint8_t> coverage;
};

struct GlyphKey {
    FT_Face face;
    int pixelHeight;
    char32_t codePoint;
    bool mono;
    bool operator==(const GlyphKey& o) const {
        return face == o.face && pixelHeight == o.pixelHeight && codePoint == o.codePoint && mono == o.mono;
    }
};

struct GlyphKeyHash {
    size_t operator()(const GlyphKey& k) const {
        size_t h = std::hash<const void*>()(k.face);
        h = h * 31 + static_cast<size_t>(k.pixelHeight);
        h = h * 31 + static_cast<size_t>(k.codePoint);
        return h * 2 + (k.mono ? 1 : 0);
    }
};

// One glyph of a laid-out text, placed relative to the text's anchor (x, y).
struct PlacedGlyph {
    const Glyph* glyph = nullptr;
    int x = 0;
    int baseline = 0;
};

// A text laid out once for one face, size, spacing and alignment; drawing
// it again, anywhere, only paints the placed glyphs.
struct TextLayout {
    std::string text;
    FT_Face face = nullptr;
    int pixelHeight = 0;
    bool mono = false;
    int extra = 0;
    keslTextAlign alignment = kTextAlignLeft;
    std::vector<PlacedGlyph> glyphs;
    keslTextExtent extent;
    bool valid = false;

    bool matches(const char* t, FT_Face f, int height, bool m, int e, keslTextAlign a) const {
        return valid && face == f && pixelHeight == height && mono == m && extra == e && alignment == a && text == t;
    }
};

struct LineMetrics {
    int ascent = 0;
    int descent = 0;
    int height() const { return ascent + descent; }
};

// Lines as DrawTextA breaks them: CR LF, LF or CR ends a line; a break at the
// very end opens no new line. Visits them in place, because labels are laid
// out every frame and a frame allocates nothing.
template <typename Visit>
void forEachLine(const std::u32string& text, Visit&& visit) {
    const char32_t* start = text.data();
    const char32_t* p = start;
    const char32_t* end = start + text.size();
    for (; p != end; ++p) {
        if (*p == U'\r' || *p == U'\n') {
            visit(start, static_cast<size_t>(p - start));
            if (p[0] == U'\r' && p + 1 != end && p[1] == U'\n') {
                ++p;
            }
            start = p + 1;
        }
    }
    if (p != start) {
        visit(start, static_cast<size_t>(p - start));
    }
}

void blendCoverage(keslPixel& dst, keslPixel src, unsigned alpha) {
    if (alpha == 0) {
        return;
    }
    if (alpha >= 255) {
        dst = src;
        return;
    }
    keslPixel out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = static_cast<int>((dst >> shift) & 0xFFu);
        const int s = static_cast<int>((src >> shift) & 0xFFu);
        const int mixed = d + ((s - d) * static_cast<int>(alpha)) / 255;
        out |= static_cast<keslPixel>(mixed) << shift;
    }
    dst = out;
}

}  // namespace

struct keslFontEngine::Impl {
    FT_Library library = nullptr;
    std::map<std::pair<std::string, bool>, FT_Face> faces;
    // Each face's sizes, made once and switched between without rescaling.
    struct SizedFace {
        FT_Size size = nullptr;
        LineMetrics metrics;
    };
    std::map<std::pair<FT_Face, int>, SizedFace> sizes;
    std::unordered_map<GlyphKey, Glyph, GlyphKeyHash> glyphs;
    std::array<TextLayout, kLayoutCacheSize> layouts;
    size_t nextLayout = 0;
    // Counts the times the glyph cache was emptied.
    unsigned glyphGeneration = 0;

    ~Impl() {
        for (auto& entry : faces) {
            if (entry.second != nullptr) {
                FT_Done_Face(entry.second);
            }
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
        FcFini();
    }

    std::string resolveFile(const std::string& family, bool thin, int& faceIndex) {
        const char* wanted = standInFamily(family);
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(wanted));
        // The lightest weight the family has: fontconfig picks the closest one.
        FcPatternAddInteger(pattern, FC_WEIGHT, thin ? FC_WEIGHT_THIN : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcPatternDestroy(pattern);
        if (match == nullptr) {
            return {};
        }
        std::string file;
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
            file = reinterpret_cast<const char*>(path);
        }
        FcChar8* matchedFamily = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch &&
            strcasecmp(reinterpret_cast<const char*>(matchedFamily), wanted) != 0) {
            logWarning("#8711: font [%s] is not installed, drawing with [%s] instead", family.c_str(),
                       reinterpret_cast<const char*>(matchedFamily));
        }
        faceIndex = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex);
        FcPatternDestroy(match);
        return file;
    }

    FT_Face faceFor(const std::string& family, bool thin) {
        const auto key = std::make_pair(family, thin);
        const auto found = faces.find(key);
        if (found != faces.end()) {
            return found->second;
        }
        FT_Face face = nullptr;
        int faceIndex = 0;
        const std::string file = resolveFile(family, thin, faceIndex);
        if (library == nullptr || file.empty() || FT_New_Face(library, file.c_str(), faceIndex, &face) != 0) {
            logError("#8712: no font file for [%s]; text in it is not drawn", family.c_str());
            face = nullptr;
        }
        faces[key] = face;
        return face;
    }

    // Makes the size current on its face and returns its line metrics.
    LineMetrics useSize(FT_Face face, int pixelHeight) {
        const auto key = std::make_pair(face, pixelHeight);
        const auto found = sizes.find(key);
        if (found != sizes.end()) {
            if (face->size != found->second.size) FT_Activate_Size(found->second.size);
            return found->second.metrics;
        }
        FT_Size size = nullptr;
        if (sizes.size() >= kSizeCacheLimit || FT_New_Size(face, &size) != 0) {
            // Past the limit the face's current size object is rescaled instead.
            FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight));
            return lineMetrics(face, pixelHeight);
        }
        FT_Activate_Size(size);
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight));
        SizedFace& sized = sizes[key];
        sized.size = size;
        sized.metrics = lineMetrics(face, pixelHeight);
        return sized.metrics;
    }

    static LineMetrics lineMetrics(FT_Face face, int pixelHeight) {
        LineMetrics m;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 != nullptr && os2->version != 0xFFFFu && os2->usWinAscent + os2->usWinDescent > 0 &&
            face->units_per_EM > 0) {
            const double scale = static_cast<double>(pixelHeight) / face->units_per_EM;
            m.ascent = static_cast<int>(std::lround(os2->usWinAscent * scale));
            m.descent = static_cast<int>(std::lround(os2->usWinDescent * scale));
            return m;
        }
        m.ascent = static_cast<int>((face->size->metrics.ascender + 63) / 64);
        m.descent = static_cast<int>((-face->size->metrics.descender + 63) / 64);
        return m;
    }

    const Glyph& glyph(FT_Face face, int pixelHeight, char32_t codePoint, bool mono) {
        const GlyphKey key{face, pixelHeight, codePoint, mono};
        const auto found = glyphs.find(key);
        if (found != glyphs.end()) {
            return found->second;
        }
        if (glyphs.size() >= kGlyphCacheLimit) {
            // Layouts point at the glyphs: they go too.
            for (TextLayout& layout : layouts) layout.valid = false;
            glyphs.clear();
            ++glyphGeneration;
        }
        Glyph& g = glyphs[key];
        useSize(face, pixelHeight);
        const FT_UInt index = FT_Get_Char_Index(face, codePoint);
        const FT_Int32 flags = FT_LOAD_RENDER | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
        if (FT_Load_Glyph(face, index, flags) != 0) {
            return g;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = static_cast<int>(bitmap.width);
        g.rows = static_cast<int>(bitmap.rows);
        g.coverage.resize(static_cast<size_t>(g.width) * static_cast<size_t>(g.rows));
        const bool bitmapIsMono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
        for (int r = 0; r < g.rows; ++r) {
            const unsigned char* src = bitmap.buffer + static_cast<long>(r) * bitmap.pitch;
            for (int c = 0; c < g.width; ++c) {
                const std::uint8_t value =
                    bitmapIsMono ? ((src[c >> 3] & (0x80 >> (c & 7))) ? 255 : 0) : src[c];
                g.coverage[static_cast<size_t>(r) * static_cast<size_t>(g.width) + static_cast<size_t>(c)] = value;
            }
        }
        return g;
    }

    int lineWidth(FT_Face face, int pixelHeight, bool mono, const char32_t* begin, size_t length, int extra) {
        int width = 0;
        for (size_t i = 0; i < length; ++i) {
            width += glyph(face, pixelHeight, begin[i], mono).advance + extra;
        }
        return width;
    }

    void paintGlyph(keslPixelSurface& surface, const Glyph& g, int originX, int baseline) {
        const int x0 = originX + g.left;
        const int y0 = baseline - g.top;
        for (int r = 0; r < g.rows; ++r) {
            const int y = y0 + r;
            if (y < surface.writeTop() || y >= surface.writeBottom()) {
                continue;
            }
            keslPixel* row = surface.row(y);
            const std::uint8_t* coverage = g.coverage.data() + static_cast<size_t>(r) * static_cast<size_t>(g.width);
            for (int c = 0; c < g.width; ++c) {
                const int x = x0 + c;
                if (x >= surface.writeLeft() && x < surface.writeRight()) {
                    blendCoverage(row[x], surface.textColor, coverage[c]);
                }
            }
        }
    }

    // The text laid out at anchor (0, 0): from the cache when nothing that
    // shapes it changed, else laid out now in the oldest slot. Null when
    // there is nothing to draw.
    const TextLayout* layout(const char* text, const keslTextParams& params, int extra) {
        if (text == nullptr || *text == '\0') {
            return nullptr;
        }
        FT_Face face = faceFor(params.fontNameOrDefault(), params.wantsThin());
        if (face == nullptr) {
            return nullptr;
        }
        const int pixelHeight = pixelHeightForPoints(params.fontPointsOrDefault());
        const bool mono = params.wantsNonAntialiased();
        const keslTextAlign alignment = params.alignment ? *params.alignment : kTextAlignLeft;
        for (const TextLayout& cached : layouts) {
            if (cached.matches(text, face, pixelHeight, mono, extra, alignment)) return &cached;
        }
        TextLayout& laid = layouts[nextLayout];
        nextLayout = (nextLayout + 1) % layouts.size();
        laid.valid = false;
        // Should the glyph cache empty itself halfway, the glyphs placed so far
        // are gone: the second pass starts from a cache with room enough.
        for (int pass = 0; pass < 2 && !laid.valid; ++pass) {
            const unsigned generation = glyphGeneration;
            layOut(laid, text, face, pixelHeight, mono, extra, alignment);
            laid.valid = generation == glyphGeneration;
        }
        return laid.valid ? &laid : nullptr;
    }

    void layOut(TextLayout& laid, const char* text, FT_Face face, int pixelHeight, bool mono, int extra,
                keslTextAlign alignment) {
        laid.text = text;
        laid.face = face;
        laid.pixelHeight = pixelHeight;
        laid.mono = mono;
        laid.extra = extra;
        laid.alignment = alignment;
        laid.glyphs.clear();
        laid.extent = {};
        const LineMetrics metrics = useSize(face, pixelHeight);
        keslDecodeText(text, std::strlen(text), m_characters);
        int top = 0;
        forEachLine(m_characters, [&](const char32_t* begin, size_t length) {
            const int width = lineWidth(face, pixelHeight, mono, begin, length, extra);
            laid.extent.width = std::max(laid.extent.width, width);
            int pen = 0;
            if (alignment == kTextAlignCentre) {
                pen = (0 - width) / 2;
            } else if (alignment == kTextAlignRight) {
                pen = -width;
            }
            const int baseline = top + metrics.ascent;
            for (size_t i = 0; i < length; ++i) {
                const Glyph& g = glyph(face, pixelHeight, begin[i], mono);
                laid.glyphs.push_back({&g, pen, baseline});
                pen += g.advance + extra;
            }
            top += metrics.height();
        });
        laid.extent.height = top;
    }

    keslTextExtent paint(keslPixelSurface& surface, int x, int y, const TextLayout& laid) {
        for (const PlacedGlyph& placed : laid.glyphs) paintGlyph(surface, *placed.glyph, x + placed.x, y + placed.baseline);
        return laid.extent;
    }

    // The text's characters, kept between calls so that a label's frame allocates nothing.
    std::u32string m_characters;
};

keslFontEngine& keslFontEngine::get() {
    static keslFontEngine engine;
    return engine;
}

keslFontEngine::keslFontEngine() : m_impl(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&m_impl->library) != 0) {
        m_impl->library = nullptr;
        logError("#8710: FreeType failed to start; no text will be drawn");
    }
}

keslFontEngine::~keslFontEngine() = default;

int keslFontEngine::pixelHeightForPoints(int points) {
    // MulDiv(points, 96, 72): rounded half away from zero.
    const long long product = static_cast<long long>(points) * kScreenDpi;
    const long long rounded = product >= 0 ? (product * 2 + 72) / 144 : -((-product * 2 + 72) / 144);
    const int height = static_cast<int>(std::llabs(rounded));
    return height > 0 ? height : pixelHeightForPoints(static_cast<int>(kDefaultFontSizePoints));
}

keslTextExtent keslFontEngine::draw(keslPixelSurface& surface, int x, int y, const char* text,
                                    const keslTextParams& params) {
    const TextLayout* laid = m_impl->layout(text, params, surface.characterExtra);
    return laid != nullptr ? m_impl->paint(surface, x, y, *laid) : keslTextExtent{};
}

keslTextExtent keslFontEngine::measure(const char* text, const keslTextParams& params, int characterExtra) {
    const TextLayout* laid = m_impl->layout(text, params, characterExtra);
    return laid != nullptr ? laid->extent : keslTextExtent{};
}
