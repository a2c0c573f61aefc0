#include "world/real_sky_lines.h"

#include <algorithm>
#include <cmath>

void collectRealSkyLines(const sSkyProjection& projection, const sStarCatalogue& catalogue,
                         const std::vector<sStarPlace>& places, std::vector<cRealSkyLayer::sLine>& lines) {
    lines.clear();
    const int width = projection.width;
    const float margin = static_cast<float>(std::max(projection.width, projection.height));
    for (size_t s = 0; s < catalogue.segmentCount; ++s) {
        const sStarPlace& a = places[catalogue.segments[s].from];
        const sStarPlace& b = places[catalogue.segments[s].to];
        if (a.up <= 0.0f && b.up <= 0.0f) continue;
        float x0, y0, x1, y1;
        if (!projectDirection(projection, a.east, a.north, a.up, x0, y0) ||
            !projectDirection(projection, b.east, b.north, b.up, x1, y1)) {
            continue;
        }
        // Far off the view the plane stretches; such a line is not on screen anyway.
        if (std::fabs(x0 - width / 2.0f) > 2 * margin || std::fabs(x1 - width / 2.0f) > 2 * margin ||
            std::fabs(y0) > 2 * margin || std::fabs(y1) > 2 * margin) {
            continue;
        }
        const float length = std::hypot(x1 - x0, y1 - y0);
        if (length <= 2.0f * kRealSkyLineGap) continue;
        const float ux = (x1 - x0) / length, uy = (y1 - y0) / length;
        lines.push_back({x0 + ux * kRealSkyLineGap, y0 + uy * kRealSkyLineGap, x1 - ux * kRealSkyLineGap,
                         y1 - uy * kRealSkyLineGap});
    }
}
