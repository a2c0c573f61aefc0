#include "app/draw_regions.h"

#include "system/rect_ops.h"
#include "util/log.h"

#include <algorithm>

namespace {
constexpr long kLeastTotalPixels = 100;
}

std::vector<keslRect<int>> computeDrawRegions(bool preview, const keslRect<int>& windowRect,
                                              const std::vector<keslRect<int>>& monitors) {
    if (preview) return {keslRect<int>(0, 0, windowRect.width, windowRect.height)};
    if (monitors.empty()) return {windowRect};

    logInfo("Number of monitors for the drawRegions:%i", static_cast<int>(monitors.size()));
    std::vector<keslRect<int>> regions;
    for (const keslRect<int>& monitor : monitors) {
        logInfo("Monitor rect:%s", monitor.toString().c_str());
        regions.push_back(monitor);
    }
    const keslPoint<int> origin = virtualScreenOrigin(monitors);
    for (keslRect<int>& region : regions) {
        region.left -= origin.x;
        region.top -= origin.y;
    }
    return regions;
}

std::vector<keslRect<int>> monitorsPrimaryFirst(std::vector<keslRect<int>> monitors, int primaryIndex) {
    if (primaryIndex <= 0 || primaryIndex >= static_cast<int>(monitors.size())) return monitors;
    std::rotate(monitors.begin(), monitors.begin() + primaryIndex, monitors.begin() + primaryIndex + 1);
    return monitors;
}

std::vector<keslRect<int>> monitorsWithin(const keslRect<int>& screen, const std::vector<keslRect<int>>& monitors) {
    std::vector<keslRect<int>> shown;
    for (const keslRect<int>& monitor : monitors) {
        const keslRect<int> part = keslIntersection(monitor, screen);
        if (!keslIsEmpty(part)) shown.push_back(part);
    }
    return shown;
}

keslPoint<int> virtualScreenOrigin(const std::vector<keslRect<int>>& monitors) { return keslTopLeftOf(monitors); }

long totalPixelsOf(const std::vector<keslRect<int>>& regions) {
    long total = 0;
    for (const keslRect<int>& region : regions) total += static_cast<long>(region.width) * region.height;
    return std::max(total, kLeastTotalPixels);
}
