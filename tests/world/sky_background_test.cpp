#include "platform/dirty_region.h"
#include "platform/pixel_probe.h"
#include "platform/test_window.h"
#include "support/log_capture.h"
#include "world/sky_background_factory.h"
#include "world/sky_background_image.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Not a colour of either bitmap, so whatever keeps it was not drawn over.
constexpr keslColor kGrey = 0x40FF40FFu;

std::unique_ptr<cSkyBackground> backgroundFor(int choice) {
    keslKeyValueStr settings;
    settings.setInt("background", choice);
    return cSkyBackgroundFactory(settings).create();
}

int occurrences(const std::string& text, const std::string& what) {
    int count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

TEST(SkyBackground, BlackAndDarkBlueFillTheWholeWindow) {
    auto test = makeTestWindow(120, 80);
    keslWindow& window = test->window();
    const struct {
        int choice;
        keslColor colour;
    } cases[] = {{0, makeColor(0, 0, 20)}, {1, makeColor(0, 0, 41)}};
    for (const auto& c : cases) {
        window.clearWithColor(kGrey);
        auto background = backgroundFor(c.choice);
        background->setRenderWindow(&window);
        background->draw();
        EXPECT_EQ(coloursIn(window), std::set<keslColor>{c.colour}) << c.choice;
        background->calculateSize();
        EXPECT_EQ(background->width, 120.0f);
        EXPECT_EQ(background->height, 80.0f);
    }
}

TEST(SkyBackground, FactoryPicksTheBitmapsAndTakesUnknownValuesAsStarry) {
    LogCapture log;
    auto gradient = backgroundFor(2);
    auto* stretched = dynamic_cast<cSkyBackground_ImageStretched*>(gradient.get());
    ASSERT_NE(stretched, nullptr);
    EXPECT_EQ(stretched->getResourceId(), 123);
    EXPECT_STREQ(stretched->imageSprite().getName(), "background-blue-gradient.bmp");
    EXPECT_TRUE(log.contains("Entering: cSkyBackgroundFactory.create()"));
    EXPECT_TRUE(log.contains("Exiting: cSkyBackgroundFactory.create(). Duration:"));

    for (int choice : {3, 7, -1}) {
        auto starry = backgroundFor(choice);
        auto* tiled = dynamic_cast<cSkyBackground_ImageTiled*>(starry.get());
        ASSERT_NE(tiled, nullptr) << choice;
        EXPECT_EQ(tiled->getResourceId(), 124);
        EXPECT_STREQ(tiled->imageSprite().getName(), "background-starry-tiled.bmp");
    }
    keslKeyValueStr empty;
    EXPECT_NE(dynamic_cast<cSkyBackground_ImageTiled*>(cSkyBackgroundFactory(empty).create().get()), nullptr);
}

TEST(SkyBackground, StarryTilesCoverFullHdInFourColumnsOfFour) {
    auto test = makeTestWindow(1920, 1080);
    keslWindow& window = test->window();
    window.clearWithColor(kGrey);
    LogCapture log;
    auto background = backgroundFor(3);
    background->setRenderWindow(&window);
    background->draw();
    EXPECT_TRUE(log.contains("cSkyBackground_ImageTiled tile size: 512 x 320"));

    keslImage tile;
    ASSERT_TRUE(tile.initWithResource_impl(124));
    // Every tile, the cut ones of the last column and row included, holds the tile's pixels.
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            for (int y = 0; y < 320; y += 3) {
                for (int x = 0; x < 512; x += 5) {
                    const int wx = column * 512 + x;
                    const int wy = row * 320 + y;
                    if (wx >= 1920 || wy >= 1080) continue;
                    ASSERT_EQ(window.getPixel(wx, wy), tile.getPixel(x, y)) << wx << "," << wy;
                }
            }
        }
    }
    EXPECT_EQ(coloursIn(window).count(kGrey), 0u);
}

// A frame's changes are drawn through the region: the tile's plain blocks
// filled, the others copied, each only inside the region's rectangles.
TEST(SkyBackground, StarryTilesDrawnThroughARegionMatchTheTileInsideItAndTouchNothingElse) {
    auto test = makeTestWindow(1200, 700);
    keslWindow& window = test->window();
    auto background = backgroundFor(3);
    background->setRenderWindow(&window);
    window.clearWithColor(kGrey);
    keslDirtyRegion region;
    region.reset(keslRect<int>(0, 0, 1200, 700));
    // A star's square, a wide strip across tile edges (x 512, y 320), a tall one, a corner piece.
    const keslRect<int> rects[] = {{40, 70, 7, 7}, {300, 380, 300, 50}, {5, 1000, 40, 600}, {690, 1190, 10, 10}};
    for (const keslRect<int>& r : rects) region.add(r);
    window.setClipRegion(&region);
    background->draw();
    window.setClipRegion(nullptr);

    keslImage tile;
    ASSERT_TRUE(tile.initWithResource_impl(124));
    int wrong = 0, outside = 0;
    for (int y = 0; y < 700; ++y) {
        for (int x = 0; x < 1200; ++x) {
            bool inside = false;
            for (const keslRect<int>& r : rects) inside = inside || (x >= r.left && x < r.getRight() && y >= r.top && y < r.getBottom());
            const keslColor seen = window.getPixel(x, y);
            if (inside) {
                wrong += seen == tile.getPixel(x % 512, y % 320) ? 0 : 1;
            } else {
                outside += seen == kGrey ? 0 : 1;
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels inside the region that are not the tile's";
    EXPECT_EQ(outside, 0) << "pixels drawn outside the region";
}

TEST(SkyBackground, GradientIsResizedToTheClientAreaOnce) {
    auto test = makeTestWindow(1920, 1080);
    keslWindow& window = test->window();
    LogCapture log;
    auto background = backgroundFor(2);
    background->setRenderWindow(&window);
    background->draw();
    background->draw();
    const std::string text = log.contents();
    EXPECT_EQ(occurrences(text, "cSkyBackground_ImageStretched resizedTo: 1920 x 1080, will be plotted at x:0, y:0"), 1)
        << text;
    EXPECT_EQ(occurrences(text, "Entering: cSkyBackground_ImageStretched.initialize()"), 1);
    EXPECT_EQ(occurrences(text, "Entering: cSkyBackground_Image.initialize()"), 1);
    EXPECT_EQ(background->width, 1920.0f);
    EXPECT_EQ(background->height, 1080.0f);

    // Top, middle and bottom of the gradient, give or take the resampling.
    auto near = [](keslColor got, int r, int g, int b) {
        return std::abs(colorRed(got) - r) <= 2 && std::abs(colorGreen(got) - g) <= 2 &&
               std::abs(colorBlue(got) - b) <= 2;
    };
    EXPECT_TRUE(near(window.getPixel(10, 0), 0, 0, 21));
    EXPECT_TRUE(near(window.getPixel(1900, 540), 0, 5, 40));
    EXPECT_TRUE(near(window.getPixel(960, 1079), 3, 15, 64));
}

TEST(SkyBackground, AMissingBitmapDrawsNothingAndLogsForTheStretchedKind) {
    auto test = makeTestWindow(200, 100);
    keslWindow& window = test->window();
    window.clearWithColor(kGrey);
    LogCapture log;
    cSkyBackground_ImageStretched stretched(9871, "missing.bmp");
    stretched.setRenderWindow(&window);
    stretched.draw();
    EXPECT_TRUE(log.contains("cSkyBackground_ImageStretched initialize could not load image"));
    cSkyBackground_ImageTiled tiled(9871, "missing.bmp");
    tiled.setRenderWindow(&window);
    tiled.draw();
    tiled.draw();
    EXPECT_EQ(coloursIn(window), std::set<keslColor>{kGrey});
}

TEST(SkyBackground, TakesTheWindowSizeOnceAtTheFirstDraw) {
    auto test = makeTestWindow(90, 60);
    auto background = backgroundFor(0);
    EXPECT_TRUE(background->needsInitialize);
    background->setRenderWindow(&test->window());
    background->draw();
    EXPECT_FALSE(background->needsInitialize);
    EXPECT_EQ(background->getClientWidth(), 90);
    EXPECT_EQ(background->getClientHeight(), 60);
    EXPECT_STREQ(background->getName(), "cSkyBackground");
}

}  // namespace
