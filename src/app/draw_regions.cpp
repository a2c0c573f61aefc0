#include "app/draw_regions.h"

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
    int smallestLeft = monitors.front().left;
    int smallestTop = monitors.front().top;
    for (const keslRect<int>& monitor : monitors) {
        keslRect<int> region = monitor;
        logInfo("Monitor rect:%s", region.toString().c_str());
        regions.push_back(region);
        smallestLeft = std::min(smallestLeft, monitor.left);
        smallestTop = std::min(smallestTop, monitor.top);
    }
    for (keslRect<int>& region : regions) {
        region.left -= smallestLeft;
        region.top -= smallestTop;
    }
    return regions;
}

long totalPixelsOf(const std::vector<keslRect<int>>& regions) {
    long total = 0;
    for (const keslRect<int>& region : regions) total += static_cast<long>(region.width) * region.height;
    return std::max(total, kLeastTotalPixels);
}
