#include "platform/pixel_probe.h"
#include "platform/test_window.h"
#include "sprites/move_restriction.h"
#include "support/log_capture.h"
#include "world/star_sprite_with_pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>

namespace {

constexpr keslColor kBlack = 0x000000FFu;
constexpr keslColor kGrey = 0x404040FFu;
constexpr keslColor kWhite = 0xFFFFFFFFu;

std::unique_ptr<cStarSpriteWithPixels> makeStar(float brightness = 0.1f) {
    return std::make_unique<cStarSpriteWithPixels>("normal star", brightness, 0.6f, 2.0f, 100.0f);
}

// The palette image's pixel at (dx, dy) from the star's centre.
keslColor paletteAt(int level, int dx, int dy) {
    return cStarPalette::current()->getImageOf(level).getPixel(cStarPalette::kCentre + dx, cStarPalette::kCentre + dy);
}

TEST(StarPalette, DimLevelsLightOnlyTheBluishCentre) {
    auto star = makeStar();
    ASSERT_NE(cStarPalette::current(), nullptr);
    EXPECT_EQ(paletteAt(9, 0, 0), makeColor(160, 160, 224));
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
            if (dx == 0 && dy == 0) continue;
            EXPECT_EQ(paletteAt(9, dx, dy), kBlack) << dx << "," << dy;
        }
    }
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) EXPECT_EQ(paletteAt(0, dx, dy), kBlack) << dx << "," << dy;
    }
}

TEST(StarPalette, TheBrightestLevelHasArmsDiagonalsAndKnightMovesInAllEightDirections) {
    auto star = makeStar();
    const keslColor diagonal = makeColor(110, 110, 255);
    const keslColor knight = makeColor(36, 36, 144);
    const keslColor far = makeColor(107, 107, 149);
    EXPECT_EQ(paletteAt(99, 0, 0), kWhite);
    for (int s : {-1, 1}) {
        for (int d : {1, 2}) {
            EXPECT_EQ(paletteAt(99, s * d, 0), kWhite);
            EXPECT_EQ(paletteAt(99, 0, s * d), kWhite);
        }
        EXPECT_EQ(paletteAt(99, s * 3, 0), far);
        EXPECT_EQ(paletteAt(99, 0, s * 3), far);
        for (int t : {-1, 1}) {
            EXPECT_EQ(paletteAt(99, s, t), diagonal);
            EXPECT_EQ(paletteAt(99, 2 * s, t), knight);
            EXPECT_EQ(paletteAt(99, s, 2 * t), knight);
            EXPECT_EQ(paletteAt(99, 2 * s, 2 * t), kBlack);
            EXPECT_EQ(paletteAt(99, 3 * s, t), kBlack);
            EXPECT_EQ(paletteAt(99, 3 * s, 3 * t), kBlack);
        }
    }
}

TEST(StarPalette, OutOfRangeLevelsAreClampedWithAnErrorLine) {
    auto star = makeStar();
    LogCapture log;
    cStarPalette& palette = *cStarPalette::current();
    EXPECT_EQ(&palette.getImageOf(100), &palette.getImageOf(99));
    EXPECT_TRUE(log.contains("ERROR>\tgetImageOf out of range>1 :100"));
    EXPECT_EQ(&palette.getImageOf(-4), &palette.getImageOf(0));
    EXPECT_TRUE(log.contains("getImageOf out of range>1 :-4"));
}

TEST(StarPalette, FreedWithTheLastStarAndBuiltAgainByTheNext) {
    ASSERT_EQ(cStarSpriteWithPixels::instanceCount(), 0);
    LogCapture log;
    {
        auto first = makeStar();
        auto second = makeStar();
        EXPECT_EQ(cStarSpriteWithPixels::instanceCount(), 2);
        first.reset();
        EXPECT_NE(cStarPalette::current(), nullptr);
    }
    EXPECT_EQ(cStarPalette::current(), nullptr);
    EXPECT_TRUE(log.contains("Last cStarSpriteWithPixels destroy. Destroyed cStarPalette"));

    const std::string before = log.contents();
    EXPECT_EQ(before.find("First cStarSpriteWithPixels create"), before.rfind("First cStarSpriteWithPixels create"));
    auto again = makeStar();
    ASSERT_NE(cStarPalette::current(), nullptr);
    EXPECT_EQ(paletteAt(9, 0, 0), makeColor(160, 160, 224));
    const std::string after = log.contents();
    EXPECT_NE(after.find("First cStarSpriteWithPixels create"), after.rfind("First cStarSpriteWithPixels create"));
    EXPECT_TRUE(log.contains("cImageBinder initializing 100 images"));
    EXPECT_TRUE(log.contains("TstarImageBinder created"));
}

TEST(PixelStar, DrawsItsBrightnessImageSkippingBlack) {
    auto test = makeTestWindow(40, 40);
    keslWindow& window = test->window();
    window.clearWithColor(kGrey);
    auto star = makeStar(0.1f);
    star->setRenderWindow(&window);
    star->x = 10.7f;
    star->y = 20.2f;
    star->draw();
    // Level (int)(0.1 * 99) = 9: the centre alone, three pixels right of and below the position.
    const InkBox ink = findInk(window, kGrey);
    EXPECT_EQ(ink.left, 13);
    EXPECT_EQ(ink.top, 23);
    EXPECT_EQ(ink.right, 13);
    EXPECT_EQ(ink.bottom, 23);
    EXPECT_EQ(window.getPixel(13, 23), makeColor(160, 160, 224));

    star->setBrightness(1.0f);
    star->draw();
    EXPECT_EQ(window.getPixel(13, 23), kWhite);
    EXPECT_EQ(window.getPixel(16, 23), makeColor(107, 107, 149));

    window.clearWithColor(kGrey);
    star->setBrightness(0.0f);
    star->draw();
    EXPECT_TRUE(findInk(window, kGrey).empty());
}

// A star lightens the sky and never darkens it: a dim message star showed
// as a dark dot over the Milky Way or a bright background.
TEST(PixelStar, NeverDarkensTheSkyAndOverTheBlackSkyStaysTheStarItWas) {
    constexpr keslColor kBlackSky = 0x000014FFu;  // the "black" background, (0, 0, 20)
    constexpr keslColor kBrightSky = 0x787890FFu;
    auto test = makeTestWindow(40, 40);
    keslWindow& window = test->window();
    auto star = makeStar(1.0f);
    star->setRenderWindow(&window);
    star->x = 10.0f;
    star->y = 10.0f;

    window.clearWithColor(kBlackSky);
    star->draw();
    EXPECT_EQ(window.getPixel(13, 13), kWhite);
    EXPECT_EQ(window.getPixel(16, 13), makeColor(107, 107, 149));

    window.clearWithColor(kBlackSky);
    star->setBrightness(0.02f);  // level 1: a centre of (17, 17, 23), arms dimmer than the sky's blue
    star->draw();
    EXPECT_EQ(window.getPixel(13, 13), makeColor(17, 17, 23));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) EXPECT_GE(colorBlue(window.getPixel(x, y)), 20) << x << ", " << y;

    window.clearWithColor(kBrightSky);
    star->setBrightness(0.05f);  // level 4: a centre of (71, 71, 99), darker than this sky
    star->draw();
    EXPECT_TRUE(findInk(window, kBrightSky).empty());
    star->setBrightness(1.0f);
    star->draw();
    EXPECT_EQ(window.getPixel(13, 13), kWhite);
}

TEST(PixelStar, CoversOnlyWhatItsLevelPaints) {
    struct Case {
        float brightness;
        keslRect<int> covered;  // top, left, width, height
    };
    // At (10.7, 20.2) the picture's corner is (10, 20) and its centre (13, 23).
    const Case cases[] = {
        {0.1f, keslRect<int>(23, 13, 1, 1)},   // level 9: the centre alone
        {1.0f, keslRect<int>(20, 10, 7, 7)},   // level 99: arms out to three pixels
        {0.0f, keslRect<int>()},               // level 0: nothing
    };
    auto test = makeTestWindow(40, 40);
    for (const Case& c : cases) {
        auto star = makeStar(c.brightness);
        star->setRenderWindow(&test->window());
        star->x = 10.7f;
        star->y = 20.2f;
        EXPECT_EQ(star->coverage(), c.covered) << c.brightness;
    }
}

TEST(TwinkleStar, StartsAtARandomPointOfAVariedCycle) {
    for (int i = 0; i < 50; ++i) {
        auto star = std::make_unique<cStarSpriteWithPixels>("normal star", 1.7f, 0.5f, 2.5f, 30.0f);
        EXPECT_EQ(star->brightness, 1.0f);
        EXPECT_EQ(star->baseBrightness, 1.7f);
        EXPECT_GE(star->twinkleDuration, 0.7f * 2.5f);
        EXPECT_LT(star->twinkleDuration, 1.3f * 2.5f);
        EXPECT_GE(star->twinklePause, 0.9f * 30.0f);
        EXPECT_LT(star->twinklePause, 1.1f * 30.0f);
        EXPECT_GE(star->twinkleClock, 0.0f);
        EXPECT_LT(star->twinkleClock, star->twinkleDuration + star->twinklePause);
    }
}

// A star at rest with a known cycle: twinkle 2 s, pause 10 s.
std::unique_ptr<cStarSpriteWithPixels> starWithCycle(float base, float amplitude) {
    auto star = makeStar(base);
    star->baseBrightness = base;
    star->twinkleAmplitude = amplitude;
    star->twinkleDuration = 2.0f;
    star->twinklePause = 10.0f;
    star->twinkleClock = 0.0f;
    return star;
}

TEST(TwinkleStar, PeaksAtHalfTheTwinkleAndRestsInThePause) {
    auto star = starWithCycle(0.2f, 0.6f);
    star->update(0.5f);
    EXPECT_FLOAT_EQ(star->brightness, 0.2f + 0.6f * 0.5f);
    star->update(0.5f);
    EXPECT_FLOAT_EQ(star->brightness, 0.8f);
    star->update(0.5f);
    EXPECT_FLOAT_EQ(star->brightness, 0.5f);
    star->update(1.0f);
    EXPECT_FLOAT_EQ(star->brightness, 0.2f);
    star->update(5.0f);
    EXPECT_FLOAT_EQ(star->brightness, 0.2f);
}

TEST(TwinkleStar, ALongStepWrapsOverSeveralCycles) {
    auto star = starWithCycle(0.2f, 0.6f);
    star->update(3 * 12.0f + 1.5f);
    EXPECT_NEAR(star->twinkleClock, 1.5f, 1e-4f);
    EXPECT_NEAR(star->brightness, 0.5f, 1e-4f);

    // Far more cycles than anyone would subtract one by one still ends inside the cycle.
    star->update(1.0e9f);
    EXPECT_GE(star->twinkleClock, 0.0f);
    EXPECT_LE(star->twinkleClock, 12.0f);
}

TEST(TwinkleStar, ACycleOfNoLengthRestsInsteadOfHanging) {
    auto star = starWithCycle(0.3f, 0.6f);
    star->twinkleDuration = 0.0f;
    star->twinklePause = 0.0f;
    star->update(0.04f);
    EXPECT_FLOAT_EQ(star->brightness, 0.3f);
}

TEST(TwinkleStar, BrightnessAboveOneIsLoggedAndClamped) {
    auto star = starWithCycle(0.8f, 0.6f);
    LogCapture log;
    star->update(1.0f);
    EXPECT_EQ(star->brightness, 1.0f);
    EXPECT_TRUE(log.contains("ERROR>\ttwinkleUpdate brightness:1.40 maxAllowed:1.000"));
}

TEST(TwinkleStar, StaysOnItsPixelsWithItsLookForAsLongAsItSaysItIsQuiet) {
    const float kForever = std::numeric_limits<float>::infinity();
    TzerinMoveRestriction_ContinueInsideRect wrap;
    wrap.bounds = keslRect<int>(0, 0, 100, 100);
    struct Case {
        const char* what;
        float x, y, speedX, speedY, clock, amplitude;
        float quiet;
    };
    // Twinkle 2 s, pause 10 s: the next twinkle begins when the clock passes 12.
    const Case cases[] = {
        {"drifting right, half a pixel to go", 10.5f, 20.0f, 0.2f, 0.0f, 3.0f, 0.6f, 2.5f},
        {"drifting up, the twinkle comes first", 10.0f, 20.25f, 0.0f, -0.1f, 11.0f, 0.6f, 1.0f},
        {"twinkling", 10.0f, 20.0f, 0.0f, 0.0f, 0.5f, 0.6f, 0.0f},
        {"at the edge the wrap must see it every time", 0.5f, 20.0f, -0.2f, 0.0f, 3.0f, 0.6f, 0.0f},
        {"still and steady", 10.0f, 20.0f, 0.0f, 0.0f, 0.5f, 0.0f, kForever},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto star = starWithCycle(0.2f, c.amplitude);
        star->calculateSize();
        star->x = c.x;
        star->y = c.y;
        star->speedX = c.speedX;
        star->speedY = c.speedY;
        star->twinkleClock = c.clock;
        star->addRestriction(&wrap);
        star->update(0.0f);
        const float quiet = star->quietSeconds();
        if (c.quiet == kForever) {
            EXPECT_EQ(quiet, kForever);
            continue;
        }
        EXPECT_NEAR(quiet, c.quiet, 1e-4f);
        const keslRect<int> covered = star->coverage();
        const std::uint64_t look = star->appearance();
        for (float slept = 0.04f; slept < quiet - 1e-3f; slept += 0.04f) {
            star->update(0.04f);
            ASSERT_EQ(star->coverage(), covered) << "after " << slept << " s";
            ASSERT_EQ(star->appearance(), look) << "after " << slept << " s";
        }
    }
}

TEST(TwinkleStar, MovesAsASpriteWhileTwinkling) {
    auto star = starWithCycle(0.2f, 0.6f);
    star->x = 5.0f;
    star->speedX = 0.2f;
    star->speedY = -0.1f;
    star->update(1.0f);
    EXPECT_FLOAT_EQ(star->x, 5.2f);
    EXPECT_FLOAT_EQ(star->y, -0.1f);
}

}  // namespace
