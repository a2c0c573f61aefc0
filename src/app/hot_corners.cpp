#include "app/hot_corners.h"

#include "system/system_services.h"

namespace {

bool inTopBand(const keslRect<int>& r, long y) { return r.top <= y && y < r.top + kHotCornerSize; }
bool inBottomBand(const keslRect<int>& r, long y) { return r.getBottom() - kHotCornerSize < y && y <= r.getBottom(); }
bool inLeftBand(const keslRect<int>& r, long x) { return r.left <= x && x < r.left + kHotCornerSize; }
bool inRightBand(const keslRect<int>& r, long x) { return r.getRight() - kHotCornerSize < x && x <= r.getRight(); }

}  // namespace

bool isCursorInArmedCorner(const cHotCornerSettings& corners, const keslRect<int>& region, keslPoint<long> cursor) {
    const long x = cursor.x;
    const long y = cursor.y;
    if (corners.topLeft.get() && inLeftBand(region, x) && inTopBand(region, y)) return true;
    if (corners.topRight.get() && inRightBand(region, x) && inTopBand(region, y)) return true;
    if (corners.bottomLeft.get() && inLeftBand(region, x) && inBottomBand(region, y)) return true;
    return corners.bottomRight.get() && inRightBand(region, x) && inBottomBand(region, y);
}

bool isCursorInHotCorner(const keslRect<int>& region) {
    keslPoint<long> cursor;
    if (!keslSystemServices().cursorPosition(cursor)) return false;
    return isCursorInArmedCorner(cHotCornerSettings(), region, cursor);
}
