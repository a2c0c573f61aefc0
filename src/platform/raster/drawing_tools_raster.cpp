#include "platform/raster/drawing_tools_raster.h"

#include "platform/raster/font_engine.h"
#include "system/rect_ops.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr keslPixel kOutlinePixel = 0x000000u;
// GetPixel's CLR_INVALID read as a colour.
constexpr keslColor kColorOutsideSurface = 0xFFFFFFFFu;

struct Span {
    int from = 1;
    int to = 0;
    bool contains(int x) const { return x >= from && x <= to; }
};

// Row spans of the ellipse inscribed in the box whose last column is right-1
// and last row bottom-1 (GDI's convention for Ellipse).
std::vector<Span> ellipseSpans(int left, int top, int right, int bottom) {
    const int width = right - left;
    const int height = bottom - top;
    std::vector<Span> spans(static_cast<size_t>(height));
    const double cx = left + (width - 1) / 2.0;
    const double cy = top + (height - 1) / 2.0;
    const double rx = width / 2.0;
    const double ry = height / 2.0;
    for (int row = 0; row < height; ++row) {
        const double dy = (top + row - cy) / ry;
        const double t = 1.0 - dy * dy;
        if (t < 0.0) {
            continue;
        }
        const double dx = rx * std::sqrt(t);
        Span& s = spans[static_cast<size_t>(row)];
        s.from = std::max(left, static_cast<int>(std::ceil(cx - dx - 1e-9)));
        s.to = std::min(right - 1, static_cast<int>(std::floor(cx + dx + 1e-9)));
    }
    return spans;
}

}  // namespace

void keslDrawingToolsRaster::fillSpan(keslPixelSurface& s, int y, int x0, int x1, keslPixel p) {
    if (y < s.writeTop() || y >= s.writeBottom()) {
        return;
    }
    x0 = std::max(x0, s.writeLeft());
    x1 = std::min(x1, s.writeRight() - 1);
    if (x0 > x1) {
        return;
    }
    std::fill(s.row(y) + x0, s.row(y) + x1 + 1, p);
    keslCountBlockPixels(static_cast<std::uint64_t>(x1 - x0 + 1));
}

void keslDrawingToolsRaster::fillRect(const keslRect<int>& rect, keslColor color) {
    keslPixelSurface* s = surface();
    if (s == nullptr) {
        return;
    }
    // Clipped once for all rows: the real sky fills many small pieces a frame.
    const int top = std::max(rect.top, s->writeTop());
    const int bottom = std::min(rect.top + rect.height, s->writeBottom());
    const int left = std::max(rect.left, s->writeLeft());
    const int right = std::min(rect.left + rect.width, s->writeRight());
    if (top >= bottom || left >= right) {
        return;
    }
    const keslPixel pixel = toPixel(color);
    for (int y = top; y < bottom; ++y) {
        std::fill(s->row(y) + left, s->row(y) + right, pixel);
    }
    keslCountBlockPixels(static_cast<std::uint64_t>(right - left) * static_cast<std::uint64_t>(bottom - top));
}

void keslDrawingToolsRaster::fillEllipse(int left, int top, int right, int bottom, keslColor color) {
    keslPixelSurface* s = surface();
    if (s == nullptr) {
        return;
    }
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    if (right - left < 1 || bottom - top < 1) {
        return;
    }
    const std::vector<Span> spans = ellipseSpans(left, top, right, bottom);
    const Span outside;
    const keslPixel fill = toPixel(color);
    for (size_t i = 0; i < spans.size(); ++i) {
        const Span& span = spans[i];
        const Span& above = i > 0 ? spans[i - 1] : outside;
        const Span& below = i + 1 < spans.size() ? spans[i + 1] : outside;
        const int y = top + static_cast<int>(i);
        if (y < s->writeTop() || y >= s->writeBottom()) {
            continue;
        }
        for (int x = std::max(span.from, s->writeLeft()); x <= std::min(span.to, s->writeRight() - 1); ++x) {
            const bool edge = x == span.from || x == span.to || !above.contains(x) || !below.contains(x);
            s->set(x, y, edge ? kOutlinePixel : fill);
        }
    }
}

int keslDrawingToolsRaster::drawText(int x, int y, const char* text, const keslTextParams& params) {
    keslPixelSurface* s = surface();
    if (s == nullptr || text == nullptr || params.hasNoPixelHeight()) {
        return 0;
    }
    if (params.color) {
        s->textColor = toPixel(*params.color);
    }
    const int rememberedExtra = s->characterExtra;
    if (params.characterExtra) {
        s->characterExtra = static_cast<int>(*params.characterExtra);
    }
    const keslTextExtent extent = keslFontEngine::get().draw(*s, x, y, text, params);
    s->characterExtra = rememberedExtra;
    return extent.height;
}

void keslDrawingToolsRaster::getTextSize(const char* text, const keslTextParams& params, int* width, int* height) {
    if (text == nullptr || (width == nullptr && height == nullptr)) {
        return;
    }
    if (params.hasNoPixelHeight()) {
        if (width != nullptr) *width = 0;
        if (height != nullptr) *height = 0;
        return;
    }
    const keslPixelSurface* s = surface();
    int extra = s != nullptr ? s->characterExtra : 0;
    if (params.characterExtra) {
        extra = static_cast<int>(*params.characterExtra);
    }
    const keslTextExtent extent = keslFontEngine::get().measure(text, params, extra);
    if (width != nullptr) {
        *width = extent.width;
    }
    if (height != nullptr) {
        *height = extent.height;
    }
}

keslColor keslDrawingToolsRaster::getPixel(int x, int y) {
    const keslPixelSurface* s = surface();
    if (s == nullptr) {
        return kColorNoSurface;
    }
    if (!s->contains(x, y)) {
        return kColorOutsideSurface;
    }
    return fromPixel(s->at(x, y));
}

void keslDrawingToolsRaster::setPixel(int x, int y, keslColor color) {
    keslPixelSurface* s = surface();
    if (s != nullptr && s->writable(x, y)) {
        s->set(x, y, toPixel(color));
    }
}

void keslDrawingToolsRaster::multiplyPixel(int x, int y, float red, float green, float blue) {
    keslPixelSurface* s = surface();
    if (s == nullptr || !s->writable(x, y)) {
        return;
    }
    const keslColor c = fromPixel(s->at(x, y));
    s->set(x, y, toPixel(makeColor(scaleChannel(colorRed(c), red), scaleChannel(colorGreen(c), green),
                                   scaleChannel(colorBlue(c), blue))));
}

void keslDrawingToolsRaster::thinLine(keslPixelSurface& s, int x1, int y1, int x2, int y2, keslPixel p) {
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        if (s.writable(x, y)) {
            s.set(x, y, p);
        }
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void keslDrawingToolsRaster::wideLine(keslPixelSurface& s, int x1, int y1, int x2, int y2, int width, keslPixel p) {
    const double radius = width / 2.0;
    const int reach = width / 2 + 1;
    const int minX = std::max(std::min(x1, x2) - reach, s.writeLeft());
    const int maxX = std::min(std::max(x1, x2) + reach, s.writeRight() - 1);
    const int minY = std::max(std::min(y1, y2) - reach, s.writeTop());
    const int maxY = std::min(std::max(y1, y2) + reach, s.writeBottom() - 1);
    const double vx = x2 - x1;
    const double vy = y2 - y1;
    const double lengthSquared = vx * vx + vy * vy;
    for (int y = minY; y <= maxY; ++y) {
        for (int x = minX; x <= maxX; ++x) {
            double t = lengthSquared > 0.0 ? ((x - x1) * vx + (y - y1) * vy) / lengthSquared : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double ex = x - (x1 + t * vx);
            const double ey = y - (y1 + t * vy);
            if (ex * ex + ey * ey <= radius * radius) {
                s.set(x, y, p);
            }
        }
    }
}

void keslDrawingToolsRaster::drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) {
    keslPixelSurface* s = surface();
    if (s == nullptr) {
        return;
    }
    if (width <= 1) {
        thinLine(*s, x1, y1, x2, y2, toPixel(color));
        return;
    }
    wideLine(*s, x1, y1, x2, y2, width, toPixel(color));
}

bool keslDrawingToolsRaster::drawPixels(int x, int y, const keslPixelView& pixels,
                                        std::optional<keslColor> transparentColor) {
    keslPixelSurface* target = surface();
    if (target == nullptr) return false;
    keslCopyPixels(target->view(), x, y, pixels, pixels.width, pixels.height, transparentColor, target->clip());
    return true;
}

bool keslDrawingToolsRaster::lightenPixels(int x, int y, const keslPixelView& pixels) {
    keslPixelSurface* target = surface();
    if (target == nullptr) return false;
    keslLightenPixels(target->view(), x, y, pixels, pixels.width, pixels.height, target->clip());
    return true;
}

bool keslDrawingToolsRaster::drawTiledPixels(const keslPixelView& tile, const keslRect<int>& area) {
    keslPixelSurface* target = surface();
    if (target == nullptr) return false;
    const keslRect<int>* clip = target->clip();
    keslCopyTiled(target->view(), clip != nullptr ? keslIntersection(area, *clip) : area, tile);
    return true;
}

void keslDrawingToolsRaster::drawImage(int x, int y, const keslPixelSurface* source, int width, int height,
                                       std::optional<keslColor> transparentColor) {
    keslPixelSurface* target = surface();
    if (target == nullptr || source == nullptr) {
        return;
    }
    // Copying a surface onto itself must read the old pixels.
    keslPixelSurface copy;
    if (source == target) {
        copy = *source;
        source = &copy;
    }
    keslCopyPixels(target->view(), x, y, source->view(), width, height, transparentColor, target->clip());
}
