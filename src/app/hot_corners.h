// The hot corners: with the cursor resting in an armed corner of a monitor,
// the screensaver refuses to start, so the user can keep it away by parking
// the mouse there.
#pragma once

#include "settings/app_settings.h"
#include "system/point.h"
#include "system/rect.h"

constexpr int kHotCornerSize = 64;

// Whether the cursor lies in one of the armed corners of region. Right and
// bottom count one past the region's last pixel, inclusively.
bool isCursorInArmedCorner(const cHotCornerSettings& corners, const keslRect<int>& region, keslPoint<long> cursor);

// The same with the corners from the settings and the system's cursor, for a
// region in screen coordinates; false when the cursor cannot be read.
bool isCursorInHotCorner(const keslRect<int>& region);
