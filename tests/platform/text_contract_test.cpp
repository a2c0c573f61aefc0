// Text as the labels rely on it, the same on every backend.
#include "platform/pixel_probe.h"
#include "platform/test_window.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

constexpr keslColor kBlack = 0x000000FFu;
constexpr keslColor kRed = 0xFF0000FFu;
constexpr keslColor kWhite = 0xFFFFFFFFu;
// "Hello" in 12-point Arial at 96 dpi, from the font's design metrics:
// advances H 1479 + e 1139 + l 455 + l 455 + o 1139 units of 2048 at 16 pixels,
// line height (win ascent 1854 + descent 434) units.
constexpr double kHelloWidth = 36.5;
constexpr double kHelloHeight = 17.9;

class TextContract : public ::testing::Test {
protected:
    void SetUp() override {
        host = makeTestWindow(200, 80);
        window().clearWithColor(kBlack);
    }
    keslWindow& window() { return host->window(); }

    keslSize measure(const char* text, float points) {
        spriteTextParams size;
        size.fontSize = points;
        window().pushTextAttributes(size);
        keslSize extent{-1, -1};
        window().getTextSize(text, &extent.width, &extent.height);
        window().popTextAttributes(size);
        return extent;
    }

    LogCapture log;
    std::unique_ptr<TestWindow> host;
};

TEST_F(TextContract, HelloInTwelvePointArialHasItsDesignSize) {
    const keslSize size = measure("Hello", 12.0f);
    EXPECT_NEAR(size.width, kHelloWidth, kHelloWidth * 0.15);
    EXPECT_NEAR(size.height, kHelloHeight, kHelloHeight * 0.15);
}

TEST_F(TextContract, FractionalPointsAreTruncated) {
    const keslSize twelve = measure("Hello world", 12.0f);
    const keslSize twelvePointSeven = measure("Hello world", 12.7f);
    const keslSize thirteen = measure("Hello world", 13.0f);
    EXPECT_EQ(twelvePointSeven.width, twelve.width);
    EXPECT_EQ(twelvePointSeven.height, twelve.height);
    EXPECT_GT(thirteen.width, twelve.width);
}

TEST_F(TextContract, TextSizeWritesOnlyThePresentOutputs) {
    window().getTextSize("Hello", nullptr, nullptr);
    int height = -7;
    window().getTextSize("Hello", nullptr, &height);
    EXPECT_GT(height, 0);
    int width = -7;
    window().getTextSize("Hello", &width, nullptr);
    EXPECT_GT(width, 0);
}

TEST_F(TextContract, MultiLineTextMeasuresTheWidestLineAndEveryLine) {
    const keslSize one = measure("Wide line", 12.0f);
    const keslSize two = measure("Wide line\nab", 12.0f);
    const keslSize three = measure("ab\r\nWide line\rx", 12.0f);
    EXPECT_EQ(two.width, one.width);
    EXPECT_EQ(two.height, 2 * one.height);
    EXPECT_EQ(three.width, one.width);
    EXPECT_EQ(three.height, 3 * one.height);
}

TEST_F(TextContract, AUtf8ApostropheIsDrawnAsTheCodePagesApostrophe) {
    // U+2019 as UTF-8 and as its Windows-1252 byte: one glyph either way, not three.
    const keslSize utf8 = measure("Don\xE2\x80\x99t Panic", 14.0f);
    const keslSize codePage = measure("Don\x92t Panic", 14.0f);
    EXPECT_EQ(utf8.width, codePage.width);
    EXPECT_EQ(utf8.height, codePage.height);
    window().drawText(10, 10, "Don\xE2\x80\x99t", spriteTextParams{});
    const InkBox fromUtf8 = findInk(window(), kBlack);
    window().clearWithColor(kBlack);
    window().drawText(10, 10, "Don\x92t", spriteTextParams{});
    const InkBox fromCodePage = findInk(window(), kBlack);
    EXPECT_EQ(fromUtf8.right, fromCodePage.right);
    EXPECT_EQ(fromUtf8.top, fromCodePage.top);
    // Bytes that are not UTF-8 stay code-page letters: "\xE2\x80" alone is two glyphs.
    EXPECT_GT(measure("a\xE2\x80", 14.0f).width, measure("a\x92", 14.0f).width);
}

TEST_F(TextContract, AnEmptyRecordDrawsYellowTwelvePointArialFromX) {
    const int height = window().drawText(40, 10, "Hello", spriteTextParams{});
    const InkBox ink = findInk(window(), kBlack);
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.left, 40);
    EXPECT_LE(ink.left, 43);
    EXPECT_GE(ink.top, 10);
    EXPECT_NEAR(ink.right - 40, kHelloWidth, kHelloWidth * 0.15);
    EXPECT_EQ(height, measure("Hello", 12.0f).height);
    EXPECT_EQ(coloursIn(window()).count(0xFFFF00FFu), 1u);
}

// A size under one point rounds to no pixel height, which GDI and FreeType
// read as the default size: a quote fading in from 0 flashed at 12 points.
TEST_F(TextContract, TextUnderOnePointIsNeitherDrawnNorMeasured) {
    for (float points : {0.0f, 0.5f, 0.99f, -3.0f}) {
        spriteTextParams tiny;
        tiny.fontSize = points;
        tiny.color = kWhite;
        EXPECT_EQ(window().drawText(40, 10, "Hello", tiny), 0) << points;
        EXPECT_TRUE(findInk(window(), kBlack).empty()) << points;
        const keslSize size = measure("Hello", points);
        EXPECT_EQ(size.width, 0) << points;
        EXPECT_EQ(size.height, 0) << points;
        const std::optional<keslRect<int>> ink = window().textInk(40, 10, "Hello", tiny);
        if (ink) EXPECT_TRUE(ink->width == 0 || ink->height == 0) << points;
    }
    spriteTextParams onePoint;
    onePoint.fontSize = 1.0f;
    EXPECT_GT(window().drawText(40, 10, "Hello", onePoint), 0);
    EXPECT_LT(measure("Hello", 1.0f).height, measure("Hello", 12.0f).height / 4);
}

TEST_F(TextContract, AlignmentPlacesTheTextAgainstX) {
    spriteTextParams right;
    right.alignment = kSpriteAlignRight;
    window().drawText(100, 5, "Hello", right);
    InkBox ink = findInk(window(), kBlack);
    EXPECT_LT(ink.right, 100);
    EXPECT_GE(ink.right, 94);  // the last glyph's own side bearing

    window().clearWithColor(kBlack);
    spriteTextParams centre;
    centre.alignment = kSpriteAlignCentre;
    window().drawText(100, 5, "Hello", centre);
    ink = findInk(window(), kBlack);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 100.0, 3.0);

    for (const int other : {0, 1, -1}) {
        window().clearWithColor(kBlack);
        spriteTextParams left;
        left.alignment = other;
        window().drawText(100, 5, "Hello", left);
        ink = findInk(window(), kBlack);
        EXPECT_GE(ink.left, 100) << other;
        EXPECT_LE(ink.left, 103) << other;
    }
}

TEST_F(TextContract, AColourGivenForOneTextDoesNotOutliveIt) {
    spriteTextParams red;
    red.color = kRed;
    window().drawText(5, 5, "Hello", red);
    EXPECT_EQ(coloursIn(window()).count(kRed), 1u);

    window().clearWithColor(kBlack);
    window().drawText(5, 5, "Hello", spriteTextParams{});
    const auto colours = coloursIn(window());
    EXPECT_EQ(colours.count(0xFFFF00FFu), 1u);
    EXPECT_EQ(colours.count(kRed), 0u);
    EXPECT_EQ(window().getTextColor(), 0xFFFF00FFu);
}

TEST_F(TextContract, PushedAttributesStayUntilPopped) {
    spriteTextParams big;
    big.fontSize = 24.0f;
    big.fontName = "Courier New";
    const keslSize before = measure("Hello", 12.0f);
    window().pushTextAttributes(big);
    int width = 0;
    window().getTextSize("Hello", &width, nullptr);
    EXPECT_EQ(window().getFontName(), "Courier New");
    EXPECT_GT(width, before.width);
    window().popTextAttributes(big);
    window().popTextAttributes(big);  // popping an empty stack keeps the default
    EXPECT_EQ(window().getFontName(), "Arial");
    EXPECT_FLOAT_EQ(window().getFontSize(), 12.0f);
}

// The drawing tools' own alignment numbering and flags, through an image.
class ImageTextContract : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(image.initWithSizeAndColor(200, 40, kBlack)); }
    InkBox drawAndFind(int x, const keslTextParams& params) {
        image.initWithSizeAndColor(200, 40, kBlack);
        image.drawText(x, 5, "Hello", params);
        return findInk(image, kBlack);
    }
    LogCapture log;
    keslImage image;
};

TEST_F(ImageTextContract, AlignmentZeroCentresOneEndsAtXOthersStartAtX) {
    keslTextParams params;
    params.color = kWhite;
    params.alignment = 1;
    InkBox ink = drawAndFind(100, params);
    EXPECT_LT(ink.right, 100);
    EXPECT_GE(ink.right, 94);  // the last glyph's own side bearing
    params.alignment = 0;
    ink = drawAndFind(100, params);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 100.0, 3.0);
    for (const int other : {-1, 2}) {
        params.alignment = other;
        ink = drawAndFind(100, params);
        EXPECT_GE(ink.left, 100) << other;
        EXPECT_LE(ink.left, 103) << other;
    }
}

TEST_F(ImageTextContract, CharacterSpacingWidensEveryGap) {
    keslTextParams params;
    params.color = kWhite;
    const InkBox plain = drawAndFind(10, params);
    params.characterExtra = 3.9f;  // truncated to 3
    const InkBox spaced = drawAndFind(10, params);
    EXPECT_EQ((spaced.right - spaced.left) - (plain.right - plain.left), 4 * 3);
}

TEST_F(ImageTextContract, NonAntialiasedTextHasOnlyTheTextColour) {
    keslTextParams params;
    params.color = kWhite;
    params.fontSize = 14.0f;
    params.nonAntialiased = 1;
    image.drawText(5, 5, "Hello, sky", params);
    for (int y = 0; y < image.getHeight(); ++y) {
        for (int x = 0; x < image.getWidth(); ++x) {
            const keslColor c = image.getPixel(x, y);
            ASSERT_TRUE(c == kBlack || c == kWhite) << x << "," << y << " " << std::hex << c;
        }
    }
    EXPECT_FALSE(findInk(image, kBlack).empty());
}

TEST_F(ImageTextContract, ThinTextIsNoBolderThanNormalText) {
    keslTextParams params;
    params.color = kWhite;
    params.fontSize = 20.0f;
    const InkBox normal = drawAndFind(5, params);
    params.thin = 1;
    const InkBox thin = drawAndFind(5, params);
    EXPECT_LE(thin.right - thin.left, normal.right - normal.left);
    EXPECT_FALSE(thin.empty());
}

TEST_F(ImageTextContract, AnUnknownFontStillDrawsTheText) {
    keslTextParams params;
    params.color = kWhite;
    params.fontName = "No Such Font Family 42";
    EXPECT_FALSE(drawAndFind(5, params).empty());
}

}  // namespace
