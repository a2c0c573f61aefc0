// What the system asks of rectangles and points, each answered in one place so
// that every caller agrees on the edges: a rectangle holds its left and top
// edges but not its right and bottom ones (as GDI's do), and one without width
// or height holds nothing. The overlap tests run thousands of times a frame,
// so they read the fields rather than the rectangle's virtual edges.
#pragma once

#include "system/point.h"
#include "system/rect.h"

#include <algorithm>
#include <vector>

template <typename T>
bool keslIsEmpty(const keslRect<T>& r) {
    return r.width <= 0 || r.height <= 0;
}

// Whether two rectangles share a pixel.
template <typename T>
bool keslOverlaps(const keslRect<T>& a, const keslRect<T>& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height && !keslIsEmpty(a) && !keslIsEmpty(b);
}

// The overlap of two rectangles; all zero when they do not meet.
template <typename T>
keslRect<T> keslIntersection(const keslRect<T>& a, const keslRect<T>& b) {
    const T left = std::max(a.left, b.left);
    const T top = std::max(a.top, b.top);
    const T right = std::min(a.left + a.width, b.left + b.width);
    const T bottom = std::min(a.top + a.height, b.top + b.height);
    if (right <= left || bottom <= top) return {};
    return keslRect<T>(top, left, right - left, bottom - top);
}

// The smallest rectangle holding both; an empty one counts as nothing.
template <typename T>
keslRect<T> keslBoundingBox(const keslRect<T>& a, const keslRect<T>& b) {
    if (keslIsEmpty(a)) return b;
    if (keslIsEmpty(b)) return a;
    const T left = std::min(a.left, b.left);
    const T top = std::min(a.top, b.top);
    return keslRect<T>(top, left, std::max(a.left + a.width, b.left + b.width) - left,
                       std::max(a.top + a.height, b.top + b.height) - top);
}

// Whether inner lies wholly within outer (edges may coincide).
template <typename T>
bool keslContains(const keslRect<T>& outer, const keslRect<T>& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

template <typename T>
bool keslContains(const keslRect<T>& r, keslPoint<T> p) {
    return p.x >= r.left && p.y >= r.top && p.x < r.left + r.width && p.y < r.top + r.height;
}

// The top-left corner of the rectangles' bounding box; (0, 0) when there are none.
template <typename T>
keslPoint<T> keslTopLeftOf(const std::vector<keslRect<T>>& rects) {
    if (rects.empty()) return {};
    keslPoint<T> corner{rects.front().left, rects.front().top};
    for (const keslRect<T>& r : rects) {
        corner.x = std::min(corner.x, r.left);
        corner.y = std::min(corner.y, r.top);
    }
    return corner;
}
