#include "platform/pixel_probe.h"
#include "platform/test_window.h"
#include "sprites/sprite_image.h"
#include "sprites/sprite_text.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr keslColor kBlack = 0x000000FFu;
constexpr keslColor kRed = 0xFF0000FFu;
constexpr keslColor kKey = 0x1DFF52FFu;

TEST(TextSprite, SetTextInvalidatesTheSizeOnlyWhenTheTextChanges) {
    auto test = makeTestWindow(200, 60);
    TzerinSpriteText sprite("label");
    sprite.setRenderWindow(&test->window());
    sprite.setText("Hi");
    sprite.calculateSize();
    const float shortWidth = sprite.width;
    ASSERT_GT(shortWidth, 0.0f);

    sprite.setText("Hi");
    EXPECT_TRUE(sprite.sizeValid);
    sprite.setText("Hi there, long");
    EXPECT_FALSE(sprite.sizeValid);
    sprite.calculateSize();
    EXPECT_GT(sprite.width, shortWidth);
}

TEST(TextSprite, MeasuresWithItsOwnFontAndLeavesTheWindowAsItWas) {
    auto test = makeTestWindow(400, 100);
    keslWindow& window = test->window();
    TzerinSpriteText sprite("label");
    sprite.setRenderWindow(&window);
    sprite.setText("Moon");
    sprite.calculateSize();
    const float defaultHeight = sprite.height;

    sprite.textParams.fontSize = 36.0f;
    sprite.textParams.fontName = "Courier New";
    sprite.calculateSize();
    EXPECT_GT(sprite.height, defaultHeight * 2);
    EXPECT_EQ(window.getFontName(), "Arial");
    EXPECT_FLOAT_EQ(window.getFontSize(), 12.0f);
}

TEST(TextSprite, WithoutAWindowMeasuresZeroAndLogsItsNameWhenDrawn) {
    LogCapture log;

    TzerinSpriteText sprite("bottomLine");
    sprite.setText("text");
    sprite.width = 5;
    sprite.calculateSize();
    EXPECT_EQ(sprite.width, 0.0f);
    sprite.draw();
    sprite.draw();

    const std::string contents = log.contents();
    const std::string line = "ERROR>\t#4573: bottomLine.draw() with nil m_renderWindowPtr";
    const size_t first = contents.find(line);
    ASSERT_NE(first, std::string::npos) << contents;
    EXPECT_NE(contents.find(line, first + 1), std::string::npos);
}

// Where the window itself puts the sprite's text when drawn at x.
InkBox inkOfWindowText(keslWindow& window, int x, int y, const char* text, const spriteTextParams& params) {
    window.clearWithColor(kBlack);
    window.drawText(x, y, text, params);
    return findInk(window, kBlack);
}

InkBox inkOfSprite(keslWindow& window, TzerinSpriteText& sprite) {
    window.clearWithColor(kBlack);
    sprite.draw();
    return findInk(window, kBlack);
}

void expectSameInk(const InkBox& actual, const InkBox& expected) {
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

TEST(TextSprite, LeftAlignedTextStartsAtX) {
    auto test = makeTestWindow(400, 60);
    keslWindow& window = test->window();
    TzerinSpriteText sprite("plain");
    sprite.setRenderWindow(&window);
    sprite.setText("Full moon");
    sprite.textParams.color = kRed;
    sprite.x = 200.7f;
    sprite.y = 10.2f;
    expectSameInk(inkOfSprite(window, sprite), inkOfWindowText(window, 200, 10, "Full moon", sprite.textParams));
}

TEST(TextSprite, AlignedTextIsShiftedByItsWidthOrHalfOfIt) {
    auto test = makeTestWindow(300, 60);
    keslWindow& window = test->window();
    TzerinSpriteText sprite("label");
    sprite.setRenderWindow(&window);
    sprite.setText("Full moon");
    sprite.calculateSize();
    sprite.width = 101;  // as if measured for a wider text
    sprite.textParams.color = kRed;
    sprite.x = 250;
    sprite.y = 5;

    sprite.textParams.alignment = kSpriteAlignRight;
    expectSameInk(inkOfSprite(window, sprite), inkOfWindowText(window, 250 - 101, 5, "Full moon", sprite.textParams));

    // Centred: half the width, truncated, and the window centres on top of that.
    sprite.textParams.alignment = kSpriteAlignCentre;
    expectSameInk(inkOfSprite(window, sprite), inkOfWindowText(window, 250 - 50, 5, "Full moon", sprite.textParams));
}

TEST(TextSprite, CentredTextEndsNearX) {
    auto test = makeTestWindow(400, 60);
    keslWindow& window = test->window();
    TzerinSpriteText sprite("centred");
    sprite.setRenderWindow(&window);
    sprite.setText("Full moon");
    sprite.textParams.color = kRed;
    sprite.textParams.alignment = kSpriteAlignCentre;
    sprite.x = 200;
    sprite.y = 10;
    const InkBox box = inkOfSprite(window, sprite);
    ASSERT_FALSE(box.empty());
    // The offset and the window's own centring both apply: the text spans x - width .. x.
    EXPECT_NEAR(box.right, 200, 8);
    EXPECT_NEAR(box.left, 200 - static_cast<int>(sprite.width), 8);
}

TEST(ImageSprite, DrawsItsImageHonouringTheKey) {
    auto test = makeTestWindow(30, 30);
    keslWindow& window = test->window();
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(4, 3, kRed));
    image.setPixel(0, 0, kKey);
    image.setTransparentColor(kKey);

    TzerinSpriteImage_linkedImg sprite("star");
    sprite.setImage(&image);
    sprite.setRenderWindow(&window);
    sprite.x = 10.9f;
    sprite.y = 5.2f;
    window.clearWithColor(kBlack);
    sprite.draw();

    EXPECT_EQ(window.getPixel(10, 5), kBlack);
    EXPECT_EQ(window.getPixel(11, 5), kRed);
    EXPECT_EQ(window.getPixel(13, 7), kRed);
    EXPECT_EQ(window.getPixel(14, 7), kBlack);
    sprite.calculateSize();
    EXPECT_EQ(sprite.width, 4.0f);
    EXPECT_EQ(sprite.height, 3.0f);
}

TEST(ImageSprite, DisabledDrawsNothingButStillMoves) {
    auto test = makeTestWindow(30, 30);
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(4, 4, kRed));
    TzerinSpriteImage_linkedImg sprite("star");
    sprite.setImage(&image);
    sprite.setRenderWindow(&test->window());
    sprite.speedX = 50.0f;
    sprite.disable();
    test->window().clearWithColor(kBlack);
    sprite.update(0.1f);
    sprite.draw();
    EXPECT_TRUE(findInk(test->window(), kBlack).empty());
    EXPECT_FLOAT_EQ(sprite.x, 5.0f);
}

TEST(ImageSprite, ResizeToResizesTheImageAndRemeasures) {
    TzerinSpriteImage_ownedImg moon("moonSprite");
    ASSERT_TRUE(moon.ownedImage().initWithSizeAndColor(100, 100, kRed));
    moon.resizeTo(50, 40);
    EXPECT_TRUE(moon.sizeValid);
    EXPECT_EQ(moon.width, 50.0f);
    EXPECT_EQ(moon.height, 40.0f);
    EXPECT_EQ(moon.getImage(), &moon.ownedImage());

    TzerinSpriteImage_linkedImg empty("empty");
    empty.resizeTo(10, 10);
    EXPECT_FALSE(empty.sizeValid);
    EXPECT_EQ(empty.width, 0.0f);
}

// A frame drawn only where something changed redraws a text's coverage: it
// must hold all of the ink, whatever the face, size and alignment, and an
// unaligned text (the clock, the quotes, the bottom line) must not also cover
// a text's width on the side it never draws.
TEST(TextSprite, CoverageHoldsTheInkOnTheSideTheTextIsDrawn) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> alignment;
        const char* font;
        float size;
    };
    const Case cases[] = {{"Wisdom begins in wonder", std::nullopt, "Arial", 12.0f},
                          {"Wisdom begins in wonder", 1, "Arial", 12.0f},
                          {"Waxing gibbous\n87 % lit", kSpriteAlignRight, "Arial", 11.0f},
                          {"Full moon tomorrow", kSpriteAlignCentre, "Arial", 11.0f},
                          {"Jiffy quip, fjord", std::nullopt, "Comic Neue", 26.0f},
                          {"23:59", std::nullopt, "Courier New", 40.0f},
                          {"\xC9t\xE9 \xC0 j", kSpriteAlignCentre, "Times New Roman", 30.0f}};
    auto test = makeTestWindow(640, 160);
    keslWindow& window = test->window();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in " + c.font);
        TzerinSpriteText sprite("label");
        sprite.setRenderWindow(&window);
        sprite.setText(c.text);
        sprite.textParams.color = kRed;
        sprite.textParams.alignment = c.alignment;
        sprite.textParams.fontName = c.font;
        sprite.textParams.fontSize = c.size;
        sprite.x = 320;
        sprite.y = 30;
        sprite.calculateSize();
        const InkBox ink = inkOfSprite(window, sprite);
        ASSERT_FALSE(ink.empty());
        const keslRect<int> covered = sprite.coverage();
        EXPECT_LE(covered.left, ink.left);
        EXPECT_GE(covered.getRight(), ink.right + 1);
        EXPECT_LE(covered.top, ink.top);
        EXPECT_GE(covered.getBottom(), ink.bottom + 1);
        // Far less than the text's width of blank either side of its ink.
        EXPECT_LT(ink.left - covered.left, static_cast<int>(sprite.width) / 2);
        EXPECT_LT(covered.getRight() - ink.right, static_cast<int>(sprite.width) / 2);
    }
}

}  // namespace
