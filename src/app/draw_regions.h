// One drawing region per monitor, in the full-screen window's coordinates:
// the window spans the desktop's bounding box, so monitors are shifted by its
// top-left corner. The first region is the main monitor, where messages, the
// moon and the clock live.
#pragma once

#include "system/point.h"
#include "system/rect.h"

#include <vector>

// preview: one region of the window's size at (0, 0). Otherwise one region per
// monitor in enumeration order, or the window's rectangle when there is none.
std::vector<keslRect<int>> computeDrawRegions(bool preview, const keslRect<int>& windowRect,
                                              const std::vector<keslRect<int>>& monitors);

// The monitors with the one at primaryIndex moved to the front (the main
// monitor), the others in their order; an index out of range changes nothing.
std::vector<keslRect<int>> monitorsPrimaryFirst(std::vector<keslRect<int>> monitors, int primaryIndex);

// The monitors cut to the part the screen shows; a monitor wholly outside it
// is left out. X lets a monitor's list outlast a smaller screen mode.
std::vector<keslRect<int>> monitorsWithin(const keslRect<int>& screen, const std::vector<keslRect<int>>& monitors);

// The top-left corner of the desktop's bounding box in screen pixels, where
// the regions' (0, 0) lies; (0, 0) without monitors.
keslPoint<int> virtualScreenOrigin(const std::vector<keslRect<int>>& monitors);

// Sum of the regions' areas, never below 100.
long totalPixelsOf(const std::vector<keslRect<int>>& regions);
