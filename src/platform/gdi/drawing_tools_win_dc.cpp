#include "platform/gdi/drawing_tools_win_dc.h"

#include "platform/gdi/gdi_batch.h"
#include "platform/text_encoding.h"
#include "system/rect_ops.h"

#include <cstring>
#include <iterator>
#include <string>

namespace {

// Selects a GDI object for one call and restores the previous one on
// leaving; an object made for the call is deleted then, a kept one is not.
class SelectedObject {
public:
    enum class Owning { kDeleteAfter, kKeep };

    SelectedObject(HDC dc, HGDIOBJ object, Owning owning = Owning::kDeleteAfter)
        : m_dc(dc), m_object(object), m_owning(owning) {
        if (m_object != nullptr) {
            m_previous = SelectObject(m_dc, m_object);
        }
    }
    ~SelectedObject() {
        if (m_object == nullptr) {
            return;
        }
        SelectObject(m_dc, m_previous);
        if (m_owning == Owning::kDeleteAfter) DeleteObject(m_object);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    Owning m_owning;
    HGDIOBJ m_previous = nullptr;
};

keslGdiFontCache::sFontKey fontKey(HDC dc, const keslTextParams& params) {
    keslGdiFontCache::sFontKey key;
    key.face = params.fontNameOrDefault();
    key.height = MulDiv(params.fontPointsOrDefault(), GetDeviceCaps(dc, LOGPIXELSY), 72);
    key.weight = params.wantsThin() ? FW_THIN : FW_NORMAL;
    key.quality = params.wantsNonAntialiased() ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY;
    return key;
}

// Sets the character spacing for one call when the parameters give one.
class CharacterExtra {
public:
    CharacterExtra(HDC dc, const keslTextParams& params) : m_dc(dc), m_changed(params.characterExtra.has_value()) {
        if (m_changed) {
            m_previous = GetTextCharacterExtra(m_dc);
            SetTextCharacterExtra(m_dc, static_cast<int>(*params.characterExtra));
        }
    }
    ~CharacterExtra() {
        if (m_changed) {
            SetTextCharacterExtra(m_dc, m_previous);
        }
    }
    CharacterExtra(const CharacterExtra&) = delete;
    CharacterExtra& operator=(const CharacterExtra&) = delete;

private:
    HDC m_dc;
    bool m_changed;
    int m_previous = 0;
};

constexpr UINT kTextFormat = DT_NOCLIP | DT_NOPREFIX;

UINT alignmentFormat(const keslTextParams& params) {
    const keslTextAlign alignment = params.alignment ? *params.alignment : kTextAlignLeft;
    if (alignment == kTextAlignCentre) {
        return DT_CENTER;
    }
    if (alignment == kTextAlignRight) {
        return DT_RIGHT;
    }
    return DT_LEFT;
}

// How a text is drawn, and so how its kept picture is keyed.
UINT textFormat(const keslTextParams& params) { return alignmentFormat(params) | kTextFormat; }

// DrawTextA reads the ANSI code page; a UTF-8 text goes through the wide
// call instead, so its apostrophes and accents come out as themselves.
int drawTextEither(HDC dc, const char* text, RECT* r, UINT format) {
    const int length = static_cast<int>(std::strlen(text));
    if (!keslIsMultiByteUtf8(text, static_cast<size_t>(length))) return DrawTextA(dc, text, -1, r, format);
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, text, length, nullptr, 0);
    // Labels fit the stack; only a long text costs an allocation.
    wchar_t onStack[512];
    std::wstring onHeap;
    wchar_t* wide = onStack;
    if (wideLength > static_cast<int>(std::size(onStack))) {
        onHeap.resize(static_cast<size_t>(wideLength));
        wide = onHeap.data();
    }
    MultiByteToWideChar(CP_UTF8, 0, text, length, wide, wideLength);
    return DrawTextW(dc, wide, wideLength, r, format);
}

}  // namespace

void keslDrawingToolsWinDC::fillEllipse(int left, int top, int right, int bottom, keslColor color) {
    const HDC dc = clippedTarget();
    if (dc == nullptr) {
        return;
    }
    SelectedObject brush(dc, CreateSolidBrush(toColorRef(color)));
    Ellipse(dc, left, top, right, bottom);
}

void keslDrawingToolsWinDC::fillRect(const keslRect<int>& rect, keslColor color) {
    const HDC dc = clippedTarget();
    if (dc == nullptr) {
        return;
    }
    const RECT r{rect.left, rect.top, rect.getRight(), rect.getBottom()};
    const HBRUSH brush = CreateSolidBrush(toColorRef(color));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

int keslDrawingToolsWinDC::drawText(int x, int y, const char* text, const keslTextParams& params) {
    const HDC dc = target();
    if (dc == nullptr || text == nullptr || params.hasNoPixelHeight()) {
        return 0;
    }
    if (params.color) {
        SetTextColor(dc, toColorRef(*params.color));
    }
    const UINT format = textFormat(params);
    if (const std::optional<int> height = drawKeptText(dc, x, y, text, params, format)) return *height;
    // GDI draws it: only now does the clip go on the device context.
    const HDC clipped = clippedTarget();
    RECT r{x, y, x, y};
    CharacterExtra extra(clipped, params);
    SelectedObject font(clipped, m_fonts.fontFor(fontKey(clipped, params)), SelectedObject::Owning::kKeep);
    return drawTextEither(clipped, text, &r, format);
}

const keslGdiTextCache::sInk* keslDrawingToolsWinDC::keptInk(HDC dc, const char* text, const keslTextParams& params,
                                                             UINT format) {
    if (!(*m_target)->pixels) return nullptr;
    const keslGdiFontCache::sFontKey key = fontKey(dc, params);
    const int extra = params.characterExtra ? static_cast<int>(*params.characterExtra) : GetTextCharacterExtra(dc);
    return m_texts.inkFor({text, key, format, extra}, m_fonts.fontFor(key), drawTextEither);
}

std::optional<keslRect<int>> keslDrawingToolsWinDC::keptTextInk(int x, int y, const char* text,
                                                                const keslTextParams& params) {
    const HDC dc = target();
    if (dc == nullptr || text == nullptr) return std::nullopt;
    if (params.hasNoPixelHeight()) return keslRect<int>(y, x, 0, 0);
    const keslGdiTextCache::sInk* ink = keptInk(dc, text, params, textFormat(params));
    if (ink == nullptr) return std::nullopt;
    return keslRect<int>(y - ink->anchorY, x - ink->anchorX, ink->pixels.width, ink->pixels.height);
}

std::optional<int> keslDrawingToolsWinDC::drawKeptText(HDC dc, int x, int y, const char* text,
                                                       const keslTextParams& params, UINT format) {
    const keslGdiTextCache::sInk* ink = keptInk(dc, text, params, format);
    if (ink == nullptr) return std::nullopt;
    const keslPixelView& pixels = (*m_target)->pixels;
    const COLORREF color = GetTextColor(dc);
    keslGdiSettle();
    keslGdiTextCache::blend(pixels, x, y, *ink, makeColor(GetRValue(color), GetGValue(color), GetBValue(color)),
                            m_clipped ? &m_clip : nullptr);
    return ink->height;
}

void keslDrawingToolsWinDC::getTextSize(const char* text, const keslTextParams& params, int* width, int* height) {
    const HDC dc = target();
    if (dc == nullptr || text == nullptr || (width == nullptr && height == nullptr)) {
        return;
    }
    SIZE size{0, 0};
    if (params.hasNoPixelHeight()) {
        if (width != nullptr) *width = 0;
        if (height != nullptr) *height = 0;
        return;
    }
    const keslGdiFontCache::sFontKey key = fontKey(dc, params);
    const int extra = params.characterExtra ? static_cast<int>(*params.characterExtra) : GetTextCharacterExtra(dc);
    if (const std::optional<SIZE> kept = m_texts.sizeOf({text, key, kTextFormat, extra}, m_fonts.fontFor(key),
                                                         drawTextEither)) {
        size = *kept;
    } else {
        RECT r{0, 0, 0, 0};
        CharacterExtra spacing(dc, params);
        SelectedObject font(dc, m_fonts.fontFor(key), SelectedObject::Owning::kKeep);
        drawTextEither(dc, text, &r, DT_CALCRECT | kTextFormat);
        size = SIZE{r.right - r.left, r.bottom - r.top};
    }
    if (width != nullptr) *width = size.cx;
    if (height != nullptr) *height = size.cy;
}

keslPixel* keslDrawingToolsWinDC::pixelInMemory(int x, int y) const {
    const keslGdiSurface* surface = *m_target;
    if (surface == nullptr || surface->dc == nullptr || !surface->pixels.contains(x, y)) {
        return nullptr;
    }
    // GDI may still hold drawing for this section in its batch.
    keslGdiSettle();
    return surface->pixels.row(y) + x;
}

void keslDrawingToolsWinDC::setClip(const keslRect<int>* clip) {
    m_clipped = clip != nullptr;
    if (m_clipped) m_clip = *clip;
}

HDC keslDrawingToolsWinDC::clippedTarget() {
    const HDC dc = target();
    if (dc == nullptr) return dc;
    // Every call GDI itself draws asks for the clipped target first.
    keslGdiMayHaveDrawn();
    const bool same = dc == m_clipDC && m_dcClipped == m_clipped && (!m_clipped || m_dcClip == m_clip);
    if (same) return dc;
    SelectClipRgn(dc, nullptr);
    if (m_clipped) IntersectClipRect(dc, m_clip.left, m_clip.top, m_clip.getRight(), m_clip.getBottom());
    m_clipDC = dc;
    m_dcClipped = m_clipped;
    m_dcClip = m_clip;
    return dc;
}

bool keslDrawingToolsWinDC::clippedAway(int x, int y) const {
    return m_clipped && !keslContains(m_clip, keslPoint<int>{x, y});
}

keslColor keslDrawingToolsWinDC::getPixel(int x, int y) {
    const HDC dc = target();
    if (dc == nullptr) {
        return kColorNoSurface;
    }
    if (const keslPixel* pixel = pixelInMemory(x, y)) {
        return fromPixel(*pixel);
    }
    const COLORREF c = GetPixel(dc, x, y);
    return makeColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

void keslDrawingToolsWinDC::setPixel(int x, int y, keslColor color) {
    if (clippedAway(x, y)) return;
    if (keslPixel* pixel = pixelInMemory(x, y)) {
        *pixel = toPixel(color);
        return;
    }
    const HDC dc = target();
    if (dc != nullptr) {
        keslGdiMayHaveDrawn();
        SetPixel(dc, x, y, toColorRef(color));
    }
}

void keslDrawingToolsWinDC::drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) {
    const HDC dc = clippedTarget();
    if (dc == nullptr) {
        return;
    }
    SelectedObject pen(dc, CreatePen(PS_SOLID, width, toColorRef(color)));
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void keslDrawingToolsWinDC::multiplyPixel(int x, int y, float red, float green, float blue) {
    if (clippedAway(x, y)) return;
    if (keslPixel* pixel = pixelInMemory(x, y)) {
        const keslColor c = fromPixel(*pixel);
        *pixel = toPixel(makeColor(scaleChannel(colorRed(c), red), scaleChannel(colorGreen(c), green),
                                   scaleChannel(colorBlue(c), blue)));
        return;
    }
    const HDC dc = target();
    if (dc == nullptr) {
        return;
    }
    clippedTarget();
    const COLORREF c = GetPixel(dc, x, y);
    SetPixel(dc, x, y,
             RGB(scaleChannel(GetRValue(c), red), scaleChannel(GetGValue(c), green), scaleChannel(GetBValue(c), blue)));
}

bool keslDrawingToolsWinDC::drawPixels(int x, int y, const keslPixelView& pixels,
                                       std::optional<keslColor> transparentColor) {
    const keslGdiSurface* surface = *m_target;
    if (surface == nullptr || !surface->pixels) return false;
    keslGdiSettle();
    keslCopyPixels(surface->pixels, x, y, pixels, pixels.width, pixels.height, transparentColor,
                   m_clipped ? &m_clip : nullptr);
    return true;
}

bool keslDrawingToolsWinDC::lightenPixels(int x, int y, const keslPixelView& pixels) {
    const keslGdiSurface* surface = *m_target;
    if (surface == nullptr || !surface->pixels) return false;
    keslGdiSettle();
    keslLightenPixels(surface->pixels, x, y, pixels, pixels.width, pixels.height, m_clipped ? &m_clip : nullptr);
    return true;
}

bool keslDrawingToolsWinDC::drawTiledPixels(const keslPixelView& tile, const keslRect<int>& area) {
    const keslGdiSurface* surface = *m_target;
    if (surface == nullptr || !surface->pixels) return false;
    keslGdiSettle();
    keslCopyTiled(surface->pixels, m_clipped ? keslIntersection(area, m_clip) : area, tile);
    return true;
}

void keslDrawingToolsWinDC::drawImage(int x, int y, const keslGdiSurface* source, int width, int height,
                                      std::optional<keslColor> transparentColor) {
    const keslGdiSurface* surface = *m_target;
    if (surface == nullptr || surface->dc == nullptr || source == nullptr || source->dc == nullptr) {
        return;
    }
    if (surface->pixels && source->pixels && surface != source) {
        keslGdiSettle();
        keslCopyPixels(surface->pixels, x, y, source->pixels, width, height, transparentColor,
                       m_clipped ? &m_clip : nullptr);
        return;
    }
    const HDC dc = clippedTarget();
    if (transparentColor) {
        TransparentBlt(dc, x, y, width, height, source->dc, 0, 0, width, height, toColorRef(*transparentColor));
        return;
    }
    BitBlt(dc, x, y, width, height, source->dc, 0, 0, SRCCOPY);
}
