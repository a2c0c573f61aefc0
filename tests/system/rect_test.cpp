#include "system/rect.h"

#include <gtest/gtest.h>

namespace {

TEST(Rect, BottomAndRightAddTheSize) {
    const keslRect<int> r(10, 20, 30, 40);
    EXPECT_EQ(r.getBottom(), 50);
    EXPECT_EQ(r.getRight(), 50);
    const keslRect<float> f(0.5f, 1.25f, 2.0f, 3.0f);
    EXPECT_FLOAT_EQ(f.getBottom(), 3.5f);
    EXPECT_FLOAT_EQ(f.getRight(), 3.25f);
}

TEST(Rect, TextFormListsEveryEdgeAndSize) {
    EXPECT_EQ(keslRect<int>(10, 20, 30, 40).toString(),
              "Top:10, Left:20, Bottom:50, Right:50, Width:30, Height:40");
    EXPECT_EQ(keslRect<int>(-5, 0, 0, 7).toString(), "Top:-5, Left:0, Bottom:2, Right:0, Width:0, Height:7");
}

}  // namespace
