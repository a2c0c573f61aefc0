// The colours and brightness steps the real sky draws its points of light with.
#include "platform/color.h"
#include "world/real_sky_palette.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// B-V of real stars and the colour an eye gives them.
TEST(RealSkyPalette, StarColoursRunFromBlueWhiteThroughWhiteToOrangeByBv) {
    enum class eHue { blueWhite, white, orange };
    const struct {
        const char* star;
        float bv;
        eHue hue;
        int colourClass;
    } cases[] = {
        {"Spica", -0.23f, eHue::blueWhite, 0},  {"Rigel", -0.03f, eHue::blueWhite, 1},
        {"Procyon", 0.42f, eHue::white, 2},     {"the Sun", 0.65f, eHue::white, 3},
        {"Arcturus", 1.23f, eHue::orange, 5},   {"Betelgeuse", 1.85f, eHue::orange, 7},
        {"a red giant past the table", 3.0f, eHue::orange, 7},
    };
    for (const auto& c : cases) {
        const keslColor colour = cRealSkyPalette::colourOfBv(c.bv);
        const int r = colorRed(colour), g = colorGreen(colour), b = colorBlue(colour);
        EXPECT_GE(std::max({r, g, b}), 240) << c.star << ": a star's light is bright";
        switch (c.hue) {
            case eHue::blueWhite: EXPECT_GT(b, r + 20) << c.star; break;
            case eHue::white: EXPECT_LE(std::abs(r - b), 30) << c.star; break;
            case eHue::orange: EXPECT_GT(r, b + 60) << c.star; EXPECT_GT(g, b) << c.star; break;
        }
        EXPECT_EQ(cRealSkyPalette::colourClassOfBv(c.bv), c.colourClass) << c.star;
    }
}

TEST(RealSkyPalette, LevelsStepAMagnitudeInSixAndAHalfStepsFromTheFaintestStar) {
    const struct {
        float magnitude;
        float level;
    } cases[] = {{6.6f, 0.0f}, {7.5f, 0.0f}, {6.45f, 1.0f}, {0.0f, 44.0f}, {-1.46f, 53.73f}, {-4.6f, 63.0f}};
    for (const auto& c : cases) EXPECT_NEAR(cRealSkyPalette::levelOf(c.magnitude), c.level, 0.01f) << c.magnitude;
}

// A thin halo pixel dimmer than the Milky Way's glow would darken it: every
// picture is its key colour or at least a little bright, and a brighter level
// is never smaller.
TEST(RealSkyPalette, PicturesHaveNoDimPixelsAndGrowWithTheLight) {
    cRealSkyPalette palette;
    for (int colourClass : {0, 4, 7, cRealSkyPalette::colourClassOfPlanet(2)}) {
        int lastRadius = 0;
        for (int level = 0; level < cRealSkyPalette::kLevels; level += 9) {
            keslImage& image = palette.image(colourClass, level);
            const int radius = palette.radius(level);
            EXPECT_GE(radius, lastRadius) << colourClass << "/" << level;
            EXPECT_LE(radius, 7);
            lastRadius = radius;
            for (int y = 0; y < image.getHeight(); ++y)
                for (int x = 0; x < image.getWidth(); ++x) {
                    const keslColor p = image.getPixel(x, y);
                    if (p == 0x000000FFu) continue;
                    EXPECT_GE(std::max({colorRed(p), colorGreen(p), colorBlue(p)}), 22) << colourClass << "/" << level;
                }
        }
    }
    // Mars's halo is red-orange, though its core saturates to white.
    keslImage& mars = palette.image(cRealSkyPalette::colourClassOfPlanet(2), 63);
    long red = 0, blue = 0;
    for (int y = 0; y < mars.getHeight(); ++y)
        for (int x = 0; x < mars.getWidth(); ++x) {
            red += colorRed(mars.getPixel(x, y));
            blue += colorBlue(mars.getPixel(x, y));
        }
    EXPECT_GT(red, blue * 3 / 2);
}

}  // namespace
