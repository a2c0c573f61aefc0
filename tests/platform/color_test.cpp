#include "platform/color.h"
#include "platform/text_params.h"

#include <gtest/gtest.h>

namespace {

TEST(Color, ScaleMultipliesRedGreenBlueAndKeepsAlpha) {
    EXPECT_EQ(scaleColor(0x80FF40C0u, 0.5f), 0x407F20C0u);
}

TEST(Color, ScaleClampsToTheChannelRange) {
    EXPECT_EQ(scaleColor(0x80FF4011u, 2.0f), 0xFFFF8011u);
    EXPECT_EQ(scaleColor(0x80FF4011u, -1.0f), 0x00000011u);
}

TEST(TextParams, SpriteAlignmentMapsToTheDrawingToolsForm) {
    EXPECT_EQ(toDrawingAlignment(2), kTextAlignRight);
    EXPECT_EQ(toDrawingAlignment(3), kTextAlignCentre);
    EXPECT_EQ(toDrawingAlignment(0), kTextAlignLeft);
    EXPECT_EQ(toDrawingAlignment(1), kTextAlignLeft);
}

TEST(TextParams, FontSizeIsTruncatedToWholePoints) {
    keslTextParams params;
    EXPECT_EQ(params.fontPointsOrDefault(), 10);
    EXPECT_EQ(params.fontNameOrDefault(), "Arial");
    params.fontSize = 12.7f;
    EXPECT_EQ(params.fontPointsOrDefault(), 12);
}

}  // namespace
