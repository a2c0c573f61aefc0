#include "app/wayland/wayland_layout.h"

#include "system/rect_ops.h"

#include <algorithm>
#include <numeric>

namespace {

keslRect<int> scaled(const keslOutputPlacement& output) {
    const int scale = std::max(1, output.scale);
    return keslRect<int>(output.logical.top * scale, output.logical.left * scale, output.logical.width * scale,
                         output.logical.height * scale);
}

bool anyOverlap(const std::vector<keslRect<int>>& regions) {
    for (size_t i = 0; i < regions.size(); ++i) {
        for (size_t j = i + 1; j < regions.size(); ++j) {
            if (keslOverlaps(regions[i], regions[j])) return true;
        }
    }
    return false;
}

void moveToOrigin(std::vector<keslRect<int>>& regions) {
    const keslPoint<int> corner = keslTopLeftOf(regions);
    for (keslRect<int>& region : regions) {
        region.left -= corner.x;
        region.top -= corner.y;
    }
}

void placeInARow(const std::vector<keslOutputPlacement>& outputs, std::vector<keslRect<int>>& regions) {
    std::vector<size_t> order(outputs.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const keslRect<int>& la = outputs[a].logical;
        const keslRect<int>& lb = outputs[b].logical;
        return la.left != lb.left ? la.left < lb.left : la.top < lb.top;
    });
    int left = 0;
    for (size_t index : order) {
        regions[index].left = left;
        regions[index].top = 0;
        left += regions[index].width;
    }
}

}  // namespace

std::vector<keslRect<int>> skyRegionsFor(const std::vector<keslOutputPlacement>& outputs) {
    std::vector<keslRect<int>> regions;
    if (outputs.empty()) return regions;
    for (const keslOutputPlacement& output : outputs) regions.push_back(scaled(output));
    const bool oneScale = std::all_of(outputs.begin(), outputs.end(),
                                      [&](const keslOutputPlacement& o) { return o.scale == outputs.front().scale; });
    if (!oneScale || anyOverlap(regions)) {
        placeInARow(outputs, regions);
    } else {
        moveToOrigin(regions);
    }
    return regions;
}

keslRect<int> skyBoundsOf(const std::vector<keslRect<int>>& regions) {
    int right = 0, bottom = 0;
    for (const keslRect<int>& region : regions) {
        right = std::max(right, region.getRight());
        bottom = std::max(bottom, region.getBottom());
    }
    return keslRect<int>(0, 0, right, bottom);
}

keslRect<int> desktopRectFromMode(keslPoint<int> position, keslPoint<int> modeSize, int scale, int transform) {
    const bool quarterTurn = (transform & 1) != 0;
    const int width = quarterTurn ? modeSize.y : modeSize.x;
    const int height = quarterTurn ? modeSize.x : modeSize.y;
    const int divisor = std::max(1, scale);
    return keslRect<int>(position.y, position.x, width / divisor, height / divisor);
}
