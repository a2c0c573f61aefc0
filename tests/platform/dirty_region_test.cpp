#include "platform/dirty_region.h"
#include "system/rect_ops.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

const keslRect<int> kWindow(0, 0, 320, 200);

// Pixels of the window a region holds, counted per pixel so an overlap shows as a 2.
std::vector<int> coverCount(const keslDirtyRegion& region) {
    std::vector<int> counts(static_cast<size_t>(kWindow.width * kWindow.height), 0);
    for (const keslRect<int>& r : region) {
        for (int y = r.top; y < r.top + r.height; ++y) {
            for (int x = r.left; x < r.left + r.width; ++x) ++counts[static_cast<size_t>(y * kWindow.width + x)];
        }
    }
    return counts;
}

// Thousands of rectangles of every size, many overlapping, some outside:
// the region holds every pixel added, none outside the window, none twice,
// and a sprite touching an added pixel is found to touch the region.
TEST(DirtyRegion, HoldsEveryAddedPixelOnceAndNothingOutsideTheWindow) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        keslDirtyRegion region;
        region.reset(kWindow);
        std::vector<keslRect<int>> added;
        const int count = 1 + static_cast<int>(random() % 300);
        for (int i = 0; i < count; ++i) {
            const int side = random() % 4 == 0 ? 60 : 9;
            const keslRect<int> r(static_cast<int>(random() % 220) - 10, static_cast<int>(random() % 340) - 10,
                                  1 + static_cast<int>(random() % side), 1 + static_cast<int>(random() % side));
            region.add(r);
            added.push_back(r);
        }
        ASSERT_FALSE(region.isWhole());
        const std::vector<int> counts = coverCount(region);
        for (const keslRect<int>& r : added) {
            const keslRect<int> inside = keslIntersection(r, kWindow);
            for (int y = inside.top; y < inside.top + inside.height; ++y) {
                for (int x = inside.left; x < inside.left + inside.width; ++x) {
                    ASSERT_GE(counts[static_cast<size_t>(y * kWindow.width + x)], 1) << "round " << round;
                }
            }
            if (!keslIsEmpty(inside)) {
                ASSERT_TRUE(region.intersects(inside));
            }
        }
        for (int c : counts) ASSERT_LE(c, 1) << "round " << round;
        // A probe sees exactly the held rectangles it shares a pixel with.
        for (int probe = 0; probe < 50; ++probe) {
            const keslRect<int> p(static_cast<int>(random() % 200), static_cast<int>(random() % 320),
                                  1 + static_cast<int>(random() % 40), 1 + static_cast<int>(random() % 40));
            std::vector<keslRect<int>> expected;
            for (const keslRect<int>& r : region) {
                if (keslIntersection(r, p).width > 0) expected.push_back(r);
            }
            std::vector<keslRect<int>> visited;
            region.forEachOverlapping(p, [&](const keslRect<int>& r) { visited.push_back(r); });
            ASSERT_EQ(visited, expected) << "round " << round << ", probe " << probe;
            ASSERT_EQ(region.intersects(p), !expected.empty());
        }
        for (const keslRect<int>& r : region) {
            ASSERT_EQ(keslIntersection(r, kWindow), r);
        }
    }
}

TEST(DirtyRegion, FarApartChangesStaySmallAndAFarAwaySpriteIsNotTouched) {
    keslDirtyRegion region;
    region.reset(kWindow);
    region.add(keslRect<int>(0, 0, 7, 7));
    region.add(keslRect<int>(190, 310, 7, 7));
    EXPECT_EQ(region.area(), 98);
    EXPECT_FALSE(region.intersects(keslRect<int>(100, 150, 7, 7)));
    EXPECT_TRUE(region.intersects(keslRect<int>(5, 5, 3, 3)));
}

TEST(DirtyRegion, MoreThanFortyPercentBecomesTheWholeWindow) {
    keslDirtyRegion region;
    region.reset(kWindow);
    region.add(keslRect<int>(0, 0, 320, 80));
    region.settle();
    EXPECT_FALSE(region.isWhole()) << "exactly 40 % is still drawn in part";
    region.add(keslRect<int>(100, 0, 1, 1));
    region.settle();
    EXPECT_TRUE(region.isWhole());
    EXPECT_EQ(region.count(), 1);
    EXPECT_EQ(*region.begin(), kWindow);
}

}  // namespace
