#include "platform/gdi/gdi_text_cache.h"

#include "platform/gdi/gdi_surface.h"

#include <emmintrin.h>

#include <algorithm>

namespace {

constexpr COLORREF kInkWhite = RGB(255, 255, 255);
constexpr keslPixel kShareBits = 0x00FFFFFFu;

// Glyphs reach past their advance and above or below their line (italics,
// accents, a swash): half a line on every side holds what any face paints.
int overhangFor(HDC dc) {
    TEXTMETRICA metrics{};
    if (!GetTextMetricsA(dc, &metrics)) return 8;
    return metrics.tmHeight / 2 + 2;
}

// Where DrawText's rectangle of no width must stand for text of this width
// to start at the margin.
int anchorFor(UINT format, int margin, int textWidth) {
    if ((format & DT_CENTER) != 0) return margin + textWidth / 2;
    if ((format & DT_RIGHT) != 0) return margin + textWidth;
    return margin;
}

// Alignment places the lines, it does not size them: a text measured for one
// alignment is measured for all.
UINT measuringFormat(UINT format) { return (format & ~static_cast<UINT>(DT_CENTER | DT_RIGHT)) | DT_CALCRECT; }

int blendChannel(int under, int over, int share) { return under + ((over - under) * share + 127) / 255; }

// One pixel: none of the share leaves it, all of it gives the colour, and
// between each channel moves towards the colour by its share.
keslPixel blendPixel(keslPixel under, keslPixel share, keslPixel colour) {
    share &= kShareBits;
    if (share == 0) return under;
    if (share == kShareBits) return colour;
    keslPixel blended = 0;
    for (int shift : {0, 8, 16}) {
        const int channel = blendChannel(static_cast<int>((under >> shift) & 0xFF),
                                         static_cast<int>((colour >> shift) & 0xFF),
                                         static_cast<int>((share >> shift) & 0xFF));
        blended |= static_cast<keslPixel>(channel) << shift;
    }
    return blended;
}

// Eight channels (two pixels, widened to 16 bits) moved towards the colour's
// as blendChannel moves them. A quotient of n / 255 that is not whole lies at
// least 1/255 from a whole number, and a float division errs by far less, so
// truncating the float quotient truncates the exact one, negative or not.
__m128i blendChannels(__m128i under, __m128i share, __m128i colour) {
    const __m128i difference = _mm_sub_epi16(colour, under);
    const __m128i low = _mm_mullo_epi16(difference, share);
    const __m128i high = _mm_mulhi_epi16(difference, share);
    const __m128i rounding = _mm_set1_epi32(127);
    const __m128 divisor = _mm_set1_ps(255.0f);
    auto moved = [&](__m128i product) {
        return _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(_mm_add_epi32(product, rounding)), divisor));
    };
    const __m128i steps = _mm_packs_epi32(moved(_mm_unpacklo_epi16(low, high)), moved(_mm_unpackhi_epi16(low, high)));
    return _mm_add_epi16(under, steps);
}

__m128i select(__m128i mask, __m128i ifSet, __m128i otherwise) {
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, otherwise));
}

// Four pixels at a time, without a branch per pixel: most of a text's box is
// bare, and whether the next pixel is ink cannot be guessed.
void blendRow(const keslPixel* share, keslPixel* out, int count, keslPixel colour) {
    const __m128i shareBits = _mm_set1_epi32(static_cast<int>(kShareBits));
    const __m128i colourPixels = _mm_set1_epi32(static_cast<int>(colour));
    const __m128i zero = _mm_setzero_si128();
    const __m128i colourChannels = _mm_unpacklo_epi8(colourPixels, zero);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i shares = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(share + i)), shareBits);
        const __m128i none = _mm_cmpeq_epi32(shares, zero);
        if (_mm_movemask_epi8(none) == 0xFFFF) continue;
        const __m128i under = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + i));
        const __m128i low =
            blendChannels(_mm_unpacklo_epi8(under, zero), _mm_unpacklo_epi8(shares, zero), colourChannels);
        const __m128i high =
            blendChannels(_mm_unpackhi_epi8(under, zero), _mm_unpackhi_epi8(shares, zero), colourChannels);
        const __m128i blended = _mm_and_si128(_mm_packus_epi16(low, high), shareBits);
        const __m128i whole = _mm_cmpeq_epi32(shares, shareBits);
        const __m128i result = select(none, under, select(whole, colourPixels, blended));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), result);
    }
    for (; i < count; ++i) out[i] = blendPixel(out[i], share[i], colour);
}

}  // namespace

bool keslGdiTextCache::sLaidOut::holds(const sTextKey& key) const {
    return filled && characterExtra == key.characterExtra && font == key.font && text == key.text;
}

keslGdiTextCache::~keslGdiTextCache() {
    if (m_dc == nullptr) return;
    if (m_scratch != nullptr) {
        SelectObject(m_dc, m_originalBitmap);
        DeleteObject(m_scratch);
    }
    DeleteDC(m_dc);
}

const keslGdiTextCache::sInk* keslGdiTextCache::inkFor(const sTextKey& key, HFONT font, Painter paint) {
    if (key.text == nullptr || font == nullptr) return nullptr;
    ++m_uses;
    sEntry* oldest = &m_entries[0];
    for (sEntry& entry : m_entries) {
        if (entry.format == key.format && entry.holds(key)) {
            entry.lastUse = m_uses;
            return &entry.ink;
        }
        if (entry.lastUse < oldest->lastUse) oldest = &entry;
    }
    oldest->filled = false;
    if (!draw(*oldest, key, font, paint)) return nullptr;
    oldest->lastUse = m_uses;
    return &oldest->ink;
}

bool keslGdiTextCache::haveContext() {
    if (m_dc == nullptr) m_dc = CreateCompatibleDC(nullptr);
    return m_dc != nullptr;
}

std::optional<SIZE> keslGdiTextCache::sizeOf(const sTextKey& key, HFONT font, Painter paint) {
    if (key.text == nullptr || font == nullptr || !haveContext()) return std::nullopt;
    const UINT format = measuringFormat(key.format);
    // A kept picture was laid out for its own measure, whatever its alignment.
    for (const sEntry& entry : m_entries) {
        if (measuringFormat(entry.format) == format && entry.holds(key)) return entry.size;
    }
    ++m_measureUses;
    sLaidOut* oldest = &m_measures[0];
    for (sLaidOut& measure : m_measures) {
        if (measure.format == format && measure.holds(key)) {
            measure.lastUse = m_measureUses;
            return measure.size;
        }
        if (measure.lastUse < oldest->lastUse) oldest = &measure;
    }
    const HGDIOBJ previousFont = SelectObject(m_dc, font);
    SetTextCharacterExtra(m_dc, key.characterExtra);
    RECT measured{0, 0, 0, 0};
    paint(m_dc, key.text, &measured, format);
    SelectObject(m_dc, previousFont);
    oldest->text = key.text;
    oldest->font = key.font;
    oldest->format = format;
    oldest->characterExtra = key.characterExtra;
    oldest->size = SIZE{measured.right - measured.left, measured.bottom - measured.top};
    oldest->filled = true;
    oldest->lastUse = m_measureUses;
    return oldest->size;
}

bool keslGdiTextCache::scratchOfAtLeast(int width, int height) {
    // keepInk leaves the scratch blank, and a new section starts blank.
    if (m_scratch != nullptr && m_scratchPixels.width >= width && m_scratchPixels.height >= height) return true;
    keslPixelView pixels;
    const HBITMAP grown = keslCreateDibSection(std::max(width, m_scratchPixels.width),
                                               std::max(height, m_scratchPixels.height), pixels);
    if (grown == nullptr) return false;
    const HGDIOBJ previous = SelectObject(m_dc, grown);
    if (m_scratch == nullptr) {
        m_originalBitmap = previous;
    } else {
        DeleteObject(m_scratch);
    }
    m_scratch = grown;
    m_scratchPixels = pixels;
    return true;
}

bool keslGdiTextCache::draw(sEntry& entry, const sTextKey& key, HFONT font, Painter paint) {
    const std::optional<SIZE> measured = sizeOf(key, font, paint);
    if (!measured) return false;
    const HGDIOBJ previousFont = SelectObject(m_dc, font);
    SetTextCharacterExtra(m_dc, key.characterExtra);
    const int textWidth = measured->cx;
    const int margin = overhangFor(m_dc);
    const int width = textWidth + 2 * margin;
    const int height = measured->cy + 2 * margin;
    if (!scratchOfAtLeast(width, height)) {
        SelectObject(m_dc, previousFont);
        return false;
    }
    SetBkMode(m_dc, TRANSPARENT);
    SetTextColor(m_dc, kInkWhite);
    const int anchorX = anchorFor(key.format, margin, textWidth);
    RECT at{anchorX, margin, anchorX, margin};
    const int textHeight = paint(m_dc, key.text, &at, key.format);
    GdiFlush();
    SelectObject(m_dc, previousFont);
    entry.text = key.text;
    entry.font = key.font;
    entry.format = key.format;
    entry.characterExtra = key.characterExtra;
    entry.ink.anchorX = anchorX;
    entry.ink.anchorY = margin;
    entry.ink.height = textHeight;
    entry.size = *measured;
    keepInk(entry, width, height);
    entry.filled = true;
    return true;
}

// Keeps the box of the scratch's (0, 0, width, height) that the glyphs painted, and moves the anchor with it.
void keslGdiTextCache::keepInk(sEntry& entry, int width, int height) {
    int left = width;
    int right = 0;
    int top = height;
    int bottom = 0;
    for (int y = 0; y < height; ++y) {
        const keslPixel* row = m_scratchPixels.row(y);
        // Most rows are margin: one pass that ORs them (the compiler vectorises it) finds them blank.
        keslPixel any = 0;
        for (int x = 0; x < width; ++x) any |= row[x];
        if ((any & kShareBits) == 0) continue;
        int first = 0;
        while ((row[first] & kShareBits) == 0) ++first;
        int last = width;
        while ((row[last - 1] & kShareBits) == 0) --last;
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y + 1;
    }
    if (left >= right) {
        entry.ink.pixels = keslPixelView{};
        return;
    }
    const int inkWidth = right - left;
    const int inkHeight = bottom - top;
    entry.pixels.resize(static_cast<size_t>(inkWidth) * static_cast<size_t>(inkHeight));
    entry.ink.pixels = keslPixelView{entry.pixels.data(), inkWidth, inkHeight};
    for (int y = 0; y < inkHeight; ++y) {
        keslPixel* from = m_scratchPixels.row(top + y) + left;
        std::copy(from, from + inkWidth, entry.ink.pixels.row(y));
        // Outside the ink the scratch is blank already: clearing the ink blanks it for the next text.
        std::fill_n(from, inkWidth, 0u);
    }
    entry.ink.anchorX -= left;
    entry.ink.anchorY -= top;
}

void keslGdiTextCache::blend(const keslPixelView& target, int x, int y, const sInk& ink, keslColor color,
                             const keslRect<int>* clip) {
    if (!ink.pixels || !target) return;
    const int left = x - ink.anchorX;
    const int top = y - ink.anchorY;
    const keslPlacedPart part = keslPartInside(target, left, top, ink.pixels.width, ink.pixels.height, clip);
    if (part.empty()) return;
    const keslPixel colour = toPixel(color) & kShareBits;
    for (int row = part.fromY; row < part.toY; ++row) {
        blendRow(ink.pixels.row(row) + part.fromX, target.row(top + row) + left + part.fromX, part.toX - part.fromX,
                 colour);
    }
}
