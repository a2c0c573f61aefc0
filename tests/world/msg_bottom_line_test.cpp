#include "sprites/sprite_text.h"
#include "world/msg_bottom_line.h"

#include <gtest/gtest.h>

namespace {

TEST(BottomLine, OnA1280By1024MonitorWaitsBeyondTheRightEdgeAndScrollsAtASixteenth) {
    TzerinSpriteText label("bottomLine");
    configureBottomLine(label, keslRect<int>{0, 0, 1280, 1024});
    EXPECT_EQ(label.textParams.fontSize, 12.0f);
    EXPECT_EQ(label.textParams.color, 0x00FFFFFFu);
    EXPECT_EQ(label.speedX, -80.0f);
    EXPECT_EQ(label.speedY, 0.0f);
    EXPECT_EQ(label.x, 1281.0f);
    EXPECT_FLOAT_EQ(label.y, 972.8f);
    EXPECT_EQ(label.disabledCount, 1);
}

TEST(BottomLine, ASmallMonitorGetsAtLeastEightPoints) {
    TzerinSpriteText label("bottomLine");
    configureBottomLine(label, keslRect<int>{0, 0, 800, 600});
    EXPECT_EQ(label.textParams.fontSize, 8.0f);
    EXPECT_FLOAT_EQ(label.y, 570.0f);
    EXPECT_EQ(label.speedX, -50.0f);
}

TEST(BottomLine, AShortMonitorKeepsTwentyTwoPixelsBelowTheLine) {
    TzerinSpriteText label("bottomLine");
    configureBottomLine(label, keslRect<int>{0, 0, 400, 300});
    EXPECT_FLOAT_EQ(label.y, 278.0f);
}

TEST(BottomLine, StaysOnTheMainMonitorWhenAnotherSitsAboveIt) {
    TzerinSpriteText label("bottomLine");
    configureBottomLine(label, keslRect<int>{768, 1024, 1280, 1024});
    EXPECT_FLOAT_EQ(label.y, 768.0f + 972.8f);
    EXPECT_EQ(label.x, 2305.0f);
}

}  // namespace
