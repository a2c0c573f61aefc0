#include "platform/test_window.h"
#include "settings/app_settings.h"
#include "support/log_capture.h"
#include "world/moon_sprite.h"

#include <gtest/gtest.h>

namespace {

TEST(MoonSprite, TheSizeSettingPicksTheBitmapAndAPreviewAlwaysTheSmallest) {
    struct Case {
        int moonSize;
        bool preview;
        int resource;
    };
    const Case cases[] = {
        {50, false, 118}, {100, false, 120}, {200, false, 121}, {300, false, 122},
        {75, false, 120}, {0, false, 120},   {-300, false, 120}, {300, true, 118}, {100, true, 118},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cMoonSprite::resourceIdFor(c.moonSize, c.preview), c.resource)
            << "moonSize " << c.moonSize << (c.preview ? " in preview" : "");
    }
}

// Lights a 100 x 100 grey (200, 200, 200) picture and reads one pixel back.
keslColor litPixel(int phase, int x, int y) {
    cMoonSprite moon;
    moon.ownedImage().initWithSizeAndColor(100, 100, makeColor(200, 200, 200));
    moon.illuminateAtPhase(phase);
    return moon.ownedImage().getPixel(x, y);
}

TEST(MoonSprite, ThePhaseDarkensThePictureFromTheUnlitSide) {
    const keslColor dark = makeColor(20, 20, 60);  // a tenth of red and green, three tenths of blue
    struct Case {
        int phase;
        int x, y;
        keslColor expected;
    };
    const Case cases[] = {
        // Full moon: the middle is untouched, the limb falls off, the corners are outside.
        {0, 50, 50, makeColor(200, 200, 200)},
        {0, 75, 50, makeColor(186, 186, 186)},
        {0, 25, 50, makeColor(186, 186, 186)},
        {0, 0, 0, dark},
        {0, 99, 99, dark},
        // New moon: nothing is lit.
        {180, 50, 50, dark},
        {180, 75, 50, dark},
        {180, 25, 30, dark},
        // First quarter: lit on the right.
        {270, 75, 50, makeColor(141, 141, 141)},
        {270, 25, 50, dark},
        // Last quarter: lit on the left.
        {90, 25, 50, makeColor(141, 141, 141)},
        {90, 75, 50, dark},
        // The lower half mirrors the upper half.
        {270, 80, 30, litPixel(270, 80, 70)},
        {90, 10, 40, litPixel(90, 10, 60)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(litPixel(c.phase, c.x, c.y), c.expected)
            << "phase " << c.phase << " at (" << c.x << ", " << c.y << ")";
    }
}

TEST(MoonSprite, BrightnessIsZeroOutsideTheDiscAndOneInTheMiddleAtFullMoon) {
    EXPECT_FLOAT_EQ(moonPixelBrightness(150, 150, 300, 0), 1.0f);
    EXPECT_FLOAT_EQ(moonPixelBrightness(0, 0, 300, 0), 0.0f);
    EXPECT_FLOAT_EQ(moonPixelBrightness(20, 20, 300, 0), 0.0f);  // beyond the radius of 150
    // Limb pixels whose chord ratio rounds to one still give a number.
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 300; ++x) {
            const float v = moonPixelBrightness(x, y, 300, 45);
            ASSERT_TRUE(v >= 0.0f && v <= 1.0f) << x << ", " << y;
        }
    }
}

TEST(MoonSprite, EveryBitmapLitInFullLeavesNoGreenBesideTheTransparentKey) {
    for (int resource : {118, 120, 121, 122}) {
        cMoonSprite moon;
        ASSERT_TRUE(moon.ownedImage().initWithResource_impl(resource)) << resource;
        moon.illuminateAtPhase(0);
        keslImage& image = moon.ownedImage();
        const keslColor key = image.getPixel(0, 0);
        ASSERT_EQ(key, makeColor(2, 25, 24)) << resource;
        int fringe = 0;
        for (int y = 0; y < image.getHeight(); ++y) {
            for (int x = 0; x < image.getWidth(); ++x) {
                const keslColor c = image.getPixel(x, y);
                // Brightened key green: far more green than red, unlike the grey moon.
                if (c != key && colorGreen(c) > 2 * colorRed(c) + 10) ++fringe;
            }
        }
        EXPECT_EQ(fringe, 0) << "green rim pixels in bitmap " << resource;
    }
}

struct MoonOnWindow : ::testing::Test {
    keslKeyValue store;
    cMoonSettings settings{store};
    std::unique_ptr<TestWindow> test = makeTestWindow(640, 400);
    const keslRect<int> main{0, 0, 640, 400};
    cMoonSprite moon;
};

TEST_F(MoonOnWindow, TheKeyGreenCornerDarkensToTheTransparentColourAndIsNotDrawn) {
    settings.moonSize.set(100);
    LogCapture log;
    ASSERT_TRUE(moon.initializeMoon(false, settings, 0, &test->window(), main));
    EXPECT_TRUE(log.contains("moon size:100px"));
    EXPECT_TRUE(log.contains("Entering: cMoonSprite.illuminate() classic"));
    EXPECT_EQ(moon.width, 100.0f);
    EXPECT_EQ(moon.ownedImage().getPixel(0, 0), makeColor(2, 25, 24));
    EXPECT_EQ(moon.ownedImage().getPixel(99, 99), makeColor(2, 25, 24));
    ASSERT_TRUE(moon.ownedImage().hasTransparentColor());
    EXPECT_EQ(moon.ownedImage().getTransparentColor(), makeColor(2, 25, 24));

    const keslColor sky = makeColor(0, 0, 40);
    test->window().clearWithColor(sky);
    moon.draw();
    const int left = static_cast<int>(moon.x);
    const int top = static_cast<int>(moon.y);
    EXPECT_EQ(test->window().getPixel(left, top), sky);
    EXPECT_EQ(test->window().getPixel(left + 99, top + 99), sky);
    EXPECT_NE(test->window().getPixel(left + 50, top + 50), sky);
}

// A main monitor right of or below a neighbour keeps the moon on itself.
TEST_F(MoonOnWindow, ItStartsNearTheTopAndDriftsRightInsideTheMainMonitor) {
    settings.moonSize.set(200);
    const keslRect<int> mains[] = {{0, 0, 640, 400}, {0, 1920, 1280, 800}, {1080, 0, 1280, 800}};
    for (const keslRect<int>& monitor : mains) {
        for (int i = 0; i < 20; ++i) {
            cMoonSprite placed;
            ASSERT_TRUE(placed.initializeMoon(false, settings, 0, &test->window(), monitor));
            EXPECT_EQ(placed.width, 200.0f);
            EXPECT_GE(placed.y, monitor.top + 15.0f);
            EXPECT_LE(placed.y, monitor.top + 30.0f);
            EXPECT_GE(placed.x, static_cast<float>(monitor.left));
            EXPECT_LE(placed.x, monitor.getRight() - 2 * 200.0f);
            EXPECT_FLOAT_EQ(placed.speedX, 0.1f);
            EXPECT_EQ(placed.speedY, 0.0f);
            EXPECT_TRUE(placed.restrictionsEnabled);
        }
    }
}

TEST_F(MoonOnWindow, SwitchedOffTheMoonIsDisabledAndSaysSo) {
    settings.showMoon.set(false);
    LogCapture log;
    EXPECT_FALSE(moon.initializeMoon(false, settings, 0, &test->window(), main));
    EXPECT_FALSE(moon.isVisible());
    EXPECT_TRUE(log.contains("Info>\tmoon is disabled"));
}

TEST(MoonSprite, ThePhaseOfTheFirstLightingHoldsForTheWholeProcess) {
    const int first = cMoonSprite::lightingPhase(123);
    EXPECT_EQ(cMoonSprite::lightingPhase(first + 90), first);
}

}  // namespace
