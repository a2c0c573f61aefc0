#include "system/rect_ops.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Rectangles are written top, left, width, height throughout.
TEST(RectOps, IntersectionAndOverlapAgreeOnWhichPixelsTwoRectanglesShare) {
    struct Case {
        const char* what;
        keslRect<int> a;
        keslRect<int> b;
        keslRect<int> shared;
        bool overlaps;
    };
    const Case cases[] = {
        {"disjoint", {0, 0, 10, 10}, {0, 20, 10, 10}, {0, 0, 0, 0}, false},
        {"touching along an edge", {0, 0, 10, 10}, {0, 10, 10, 10}, {0, 0, 0, 0}, false},
        {"touching at a corner", {0, 0, 10, 10}, {10, 10, 5, 5}, {0, 0, 0, 0}, false},
        {"nested", {0, 0, 100, 100}, {10, 20, 30, 40}, {10, 20, 30, 40}, true},
        {"overlapping", {0, 0, 10, 10}, {5, 3, 10, 10}, {5, 3, 7, 5}, true},
        {"one pixel in common", {0, 0, 10, 10}, {9, 9, 10, 10}, {9, 9, 1, 1}, true},
        {"zero width inside another", {5, 5, 0, 10}, {0, 0, 20, 20}, {0, 0, 0, 0}, false},
        {"zero height inside another", {5, 5, 10, 0}, {0, 0, 20, 20}, {0, 0, 0, 0}, false},
        {"negative width", {5, 15, -10, 5}, {0, 0, 20, 20}, {0, 0, 0, 0}, false},
        {"negative coordinates", {-20, -30, 40, 25}, {-10, -10, 30, 30}, {-10, -10, 20, 15}, true},
        {"left of and above the origin, apart", {-100, -100, 50, 50}, {0, 0, 10, 10}, {0, 0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keslIntersection(c.a, c.b).toString(), c.shared.toString()) << c.what;
        EXPECT_EQ(keslIntersection(c.b, c.a).toString(), c.shared.toString()) << c.what << ", swapped";
        EXPECT_EQ(keslOverlaps(c.a, c.b), c.overlaps) << c.what;
        EXPECT_EQ(keslOverlaps(c.b, c.a), c.overlaps) << c.what << ", swapped";
    }
}

TEST(RectOps, IntersectionOfFractionalRectangles) {
    const keslRect<float> shared =
        keslIntersection(keslRect<float>(0.5f, 0.25f, 1.0f, 1.0f), keslRect<float>(1.0f, 0.75f, 2.0f, 2.0f));
    EXPECT_FLOAT_EQ(shared.top, 1.0f);
    EXPECT_FLOAT_EQ(shared.left, 0.75f);
    EXPECT_FLOAT_EQ(shared.width, 0.5f);
    EXPECT_FLOAT_EQ(shared.height, 0.5f);
}

TEST(RectOps, BoundingBoxHoldsBothAndIgnoresAnEmptyOne) {
    struct Case {
        const char* what;
        keslRect<int> a;
        keslRect<int> b;
        keslRect<int> box;
    };
    const Case cases[] = {
        {"disjoint", {0, 0, 10, 10}, {20, 30, 5, 5}, {0, 0, 35, 25}},
        {"nested", {0, 0, 100, 100}, {10, 20, 30, 40}, {0, 0, 100, 100}},
        {"overlapping", {0, 0, 10, 10}, {5, 3, 10, 10}, {0, 0, 13, 15}},
        {"negative coordinates", {-10, -20, 5, 5}, {0, 0, 10, 10}, {-10, -20, 30, 20}},
        {"first empty, far away", {500, 500, 0, 0}, {1, 2, 3, 4}, {1, 2, 3, 4}},
        {"second empty, far away", {1, 2, 3, 4}, {-500, -500, 10, 0}, {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keslBoundingBox(c.a, c.b).toString(), c.box.toString()) << c.what;
        EXPECT_EQ(keslBoundingBox(c.b, c.a).toString(), c.box.toString()) << c.what << ", swapped";
    }
}

TEST(RectOps, EmptyMeansNoWidthOrNoHeight) {
    EXPECT_TRUE(keslIsEmpty(keslRect<int>()));
    EXPECT_TRUE(keslIsEmpty(keslRect<int>(0, 0, 0, 5)));
    EXPECT_TRUE(keslIsEmpty(keslRect<int>(0, 0, 5, 0)));
    EXPECT_TRUE(keslIsEmpty(keslRect<int>(0, 0, -3, 5)));
    EXPECT_FALSE(keslIsEmpty(keslRect<int>(-7, -7, 1, 1)));
    EXPECT_TRUE(keslIsEmpty(keslRect<float>(0.0f, 0.0f, 0.0f, 1.0f)));
    EXPECT_FALSE(keslIsEmpty(keslRect<float>(0.0f, 0.0f, 0.25f, 0.25f)));
}

TEST(RectOps, ARectangleContainsWhatLiesWithinItsEdges) {
    struct Case {
        const char* what;
        keslRect<int> inner;
        bool contained;
    };
    const keslRect<int> outer(-10, -20, 100, 50);  // right 80, bottom 40
    const Case cases[] = {
        {"itself", outer, true},
        {"nested", {0, 0, 10, 10}, true},
        {"flush with the right and bottom edges", {30, 70, 10, 10}, true},
        {"one pixel past the right edge", {30, 71, 10, 10}, false},
        {"one pixel past the bottom edge", {31, 70, 10, 10}, false},
        {"one pixel past the left edge", {0, -21, 10, 10}, false},
        {"one pixel past the top edge", {-11, 0, 10, 10}, false},
        {"larger all round", {-11, -21, 102, 52}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(keslContains(outer, c.inner), c.contained) << c.what;
}

TEST(RectOps, APointIsInsideFromTheLeftAndTopEdgesUpToButNotIncludingTheOthers) {
    struct Case {
        keslPoint<int> point;
        bool inside;
    };
    const keslRect<int> r(-10, -20, 100, 50);  // right 80, bottom 40
    const Case cases[] = {
        {{-20, -10}, true},  // the top-left corner
        {{79, 39}, true},    // the last pixel
        {{0, 0}, true},
        {{80, 0}, false},  // the right edge
        {{0, 40}, false},  // the bottom edge
        {{-21, 0}, false},
        {{0, -11}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keslContains(r, c.point), c.inside) << c.point.x << ", " << c.point.y;
    }
    EXPECT_FALSE(keslContains(keslRect<int>(5, 5, 0, 0), keslPoint<int>{5, 5})) << "an empty rectangle holds no point";
}

TEST(RectOps, TopLeftOfSeveralRectanglesIsTheirBoundingBoxCorner) {
    struct Case {
        const char* what;
        std::vector<keslRect<int>> rects;
        keslPoint<int> corner;
    };
    const Case cases[] = {
        {"none", {}, {0, 0}},
        {"one away from the origin", {{100, 200, 10, 10}}, {200, 100}},
        {"a monitor left of the primary", {{0, 0, 1920, 1080}, {100, -1280, 1280, 1024}}, {-1280, 0}},
        {"one left, one above", {{0, 0, 1920, 1080}, {0, -1280, 1280, 1024}, {-600, 300, 800, 600}}, {-1280, -600}},
    };
    for (const Case& c : cases) EXPECT_EQ(keslTopLeftOf(c.rects), c.corner) << c.what;
}

}  // namespace
