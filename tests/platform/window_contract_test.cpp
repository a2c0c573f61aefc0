// Shapes, pixels and buffers: the same expectations for every backend.
#include "platform/pixel_probe.h"
#include "platform/test_window.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr keslColor kWhite = 0xFFFFFFFFu;
constexpr keslColor kRed = 0xFF0000FFu;
constexpr keslColor kBlue = 0x0000FFFFu;
constexpr keslColor kGreen = 0x00FF00FFu;

class WindowContract : public ::testing::Test {
protected:
    void SetUp() override {
        host = makeTestWindow(64, 48);
        window().clearWithColor(kWhite);
    }
    keslWindow& window() { return host->window(); }

    LogCapture log;
    std::unique_ptr<TestWindow> host;
};

TEST_F(WindowContract, ClientSizeIsTheRequestedSize) {
    EXPECT_EQ(window().getClientWidth(), 64);
    EXPECT_EQ(window().getClientHeight(), 48);
    EXPECT_EQ(window().getClientSize().width, 64);
    EXPECT_EQ(window().getBottom(), window().getTop() + 48);
    EXPECT_EQ(window().getRight(), window().getLeft() + 64);
}

TEST_F(WindowContract, FillRectExcludesRightAndBottom) {
    window().fillRect(keslRect<int>(10, 5, 4, 3), kRed);  // top, left, width, height
    const InkBox ink = findInk(window(), kWhite);
    EXPECT_EQ(ink.left, 5);
    EXPECT_EQ(ink.top, 10);
    EXPECT_EQ(ink.right, 8);
    EXPECT_EQ(ink.bottom, 12);
    EXPECT_EQ(window().getPixel(5, 10), kRed);
}

TEST_F(WindowContract, FillRectOfZeroWidthPaintsNothing) {
    window().fillRect(keslRect<int>(10, 10, 0, 10), kRed);
    EXPECT_TRUE(findInk(window(), kWhite).empty());
}

TEST_F(WindowContract, FillCircleFillsItsBoxWithABlackOutline) {
    window().fillCircle(10, 10, 3, kRed);
    const InkBox ink = findInk(window(), kWhite);
    EXPECT_EQ(ink.left, 7);
    EXPECT_EQ(ink.top, 7);
    EXPECT_EQ(ink.right, 12);
    EXPECT_EQ(ink.bottom, 12);
    EXPECT_EQ(window().getPixel(10, 10), kRed);
    EXPECT_EQ(window().getPixel(7, 10), 0x000000FFu);
}

TEST_F(WindowContract, FillEllipseOutlinesEveryEdgeInBlack) {
    window().fillEllipse(10, 10, 31, 41, kBlue);
    EXPECT_EQ(window().getPixel(20, 25), kBlue);
    EXPECT_EQ(window().getPixel(10, 25), 0x000000FFu);
    EXPECT_EQ(window().getPixel(30, 25), 0x000000FFu);
    EXPECT_EQ(window().getPixel(20, 10), 0x000000FFu);
    EXPECT_EQ(window().getPixel(20, 40), 0x000000FFu);
    EXPECT_EQ(window().getPixel(31, 25), kWhite);
    EXPECT_EQ(window().getPixel(20, 41), kWhite);
    EXPECT_EQ(window().getPixel(10, 10), kWhite);  // corners stay outside
}

TEST_F(WindowContract, LineLeavesItsEndPointUnpainted) {
    window().drawLine(10, 5, 20, 5, 1, kRed);
    window().drawLine(5, 10, 5, 20, 1, kRed);
    window().drawLine(30, 30, 35, 35, 1, kRed);
    EXPECT_EQ(window().getPixel(10, 5), kRed);
    EXPECT_EQ(window().getPixel(19, 5), kRed);
    EXPECT_EQ(window().getPixel(20, 5), kWhite);
    EXPECT_EQ(window().getPixel(5, 19), kRed);
    EXPECT_EQ(window().getPixel(5, 20), kWhite);
    EXPECT_EQ(window().getPixel(34, 34), kRed);
    EXPECT_EQ(window().getPixel(35, 35), kWhite);
}

TEST_F(WindowContract, WideLineCoversItsWidthAcrossTheStroke) {
    window().drawLine(10, 20, 40, 20, 3, kRed);
    for (int x = 12; x <= 38; x += 2) {
        EXPECT_EQ(window().getPixel(x, 19), kRed) << x;
        EXPECT_EQ(window().getPixel(x, 20), kRed) << x;
        EXPECT_EQ(window().getPixel(x, 21), kRed) << x;
        EXPECT_EQ(window().getPixel(x, 17), kWhite) << x;
        EXPECT_EQ(window().getPixel(x, 23), kWhite) << x;
    }
}

TEST_F(WindowContract, PixelsOutsideTheClientAreaReadBlackAndIgnoreWrites) {
    EXPECT_EQ(window().getPixel(-1, 0), 0x000000FFu);
    EXPECT_EQ(window().getPixel(64, 0), 0x000000FFu);
    EXPECT_EQ(window().getPixel(0, 48), 0x000000FFu);
    window().setPixel(-1, 0, kRed);
    window().setPixel(64, 47, kRed);
    EXPECT_TRUE(findInk(window(), kWhite).empty());
}

TEST_F(WindowContract, PixelsReadBackOpaqueWhateverAlphaWasWritten) {
    window().setPixel(3, 4, 0x12345600u);
    EXPECT_EQ(window().getPixel(3, 4), 0x123456FFu);
}

TEST_F(WindowContract, ClearUsesTheBackgroundColourInForce) {
    window().clear();
    EXPECT_EQ(window().getPixel(0, 0), 0xFFEFD5FFu);
    window().pushBackgroundColor(kGreen);
    window().clear();
    EXPECT_EQ(window().getPixel(63, 47), kGreen);
    window().popBackgroundColor();
    window().clear();
    EXPECT_EQ(window().getPixel(63, 47), 0xFFEFD5FFu);
}

TEST_F(WindowContract, FlushCopiesTheBackBufferOnlyWhenDoubleBuffered) {
    window().flush();
    window().fillRect(keslRect<int>(0, 0, 8, 8), kRed);

    window().setDoubleBuffered(false);
    EXPECT_EQ(window().getPixel(1, 1), kWhite) << "the back buffer is not on screen before flush";
    window().setPixel(2, 2, kBlue);
    EXPECT_EQ(window().getPixel(2, 2), kBlue) << "without double buffering drawing shows at once";
    window().flush();
    EXPECT_EQ(window().getPixel(1, 1), kWhite) << "flush copies nothing without double buffering";

    window().setDoubleBuffered(true);
    window().flush();
    window().setDoubleBuffered(false);
    EXPECT_EQ(window().getPixel(1, 1), kRed);
    EXPECT_EQ(window().getPixel(2, 2), kRed);
}

TEST_F(WindowContract, DrawImageWithAKeySkipsExactlyTheKeyColour) {
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(3, 1, kRed));
    image.setPixel(1, 0, kGreen);
    image.setPixel(2, 0, 0x01FF00FFu);  // one step off the key: copied
    image.setTransparentColor(kGreen);
    image.drawOn(&window(), 20, 20);
    EXPECT_EQ(window().getPixel(20, 20), kRed);
    EXPECT_EQ(window().getPixel(21, 20), kWhite);
    EXPECT_EQ(window().getPixel(22, 20), 0x01FF00FFu);
}

TEST_F(WindowContract, DrawImageWithoutAKeyCopiesEveryPixel) {
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(4, 2, kGreen));
    image.drawOn(&window(), 62, 46);  // partly outside: clipped, nothing else touched
    EXPECT_EQ(window().getPixel(62, 46), kGreen);
    EXPECT_EQ(window().getPixel(63, 47), kGreen);
    EXPECT_EQ(window().getPixel(61, 46), kWhite);
    image.drawOn(nullptr, 0, 0);
}

TEST_F(WindowContract, HeldPixelsAreCopiedInsideTheClipRegionSkippingTheKeyOrNotAtAll) {
    const keslPixel held[] = {toPixel(kRed), toPixel(kGreen), toPixel(kBlue),
                              toPixel(kBlue), toPixel(kRed), toPixel(kGreen)};
    const keslPixelView pixels{const_cast<keslPixel*>(held), 3, 2};
    keslDirtyRegion region;
    region.reset(keslRect<int>(0, 0, 64, 48));
    region.add(keslRect<int>(10, 10, 2, 2));
    window().setClipRegion(&region);
    EXPECT_TRUE(window().drawPixels(10, 10, pixels, kGreen));
    window().setClipRegion(nullptr);
    EXPECT_EQ(window().getPixel(10, 10), kRed);
    EXPECT_EQ(window().getPixel(11, 10), kWhite) << "the key is not drawn";
    EXPECT_EQ(window().getPixel(10, 11), kBlue);
    EXPECT_EQ(window().getPixel(11, 11), kRed);
    EXPECT_EQ(window().getPixel(12, 10), kWhite) << "outside the clip";

    // Straight on the window a backend may have no memory to copy into: then it draws nothing.
    window().setDoubleBuffered(false);
    window().clearWithColor(kWhite);
    const bool drawn = window().drawPixels(30, 30, pixels, std::nullopt);
    EXPECT_EQ(window().getPixel(31, 30), drawn ? kGreen : kWhite);
    EXPECT_EQ(window().getPixel(32, 31), drawn ? kGreen : kWhite);
}

TEST_F(WindowContract, KeyedImagesLookTheSameDrawnOffScreenOrStraightOnTheWindow) {
    // Off screen the copy may be done in memory; on the window it is the system's own keyed blit.
    keslImage image;
    ASSERT_TRUE(image.initWithSizeAndColor(7, 7, kGreen));
    keslTextParams text;
    text.color = 0xFFFF00FFu;
    text.fontSize = 5.0f;
    image.drawText(0, 0, "x", text);
    image.setPixel(3, 3, kRed);
    image.setPixel(0, 6, kBlue);
    image.setPixel(6, 0, 0x00FE00FFu);
    image.setTransparentColor(kGreen);
    const int places[][2] = {{-3, -2}, {20, 10}, {23, 12}, {60, 44}};
    const auto drawAll = [&] {
        window().clearWithColor(kWhite);
        for (const auto& place : places) image.drawOn(&window(), place[0], place[1]);
    };

    drawAll();
    window().flush();
    window().setDoubleBuffered(false);
    std::vector<keslColor> offScreen;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) offScreen.push_back(window().getPixel(x, y));
    drawAll();
    int differing = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) differing += window().getPixel(x, y) != offScreen[static_cast<size_t>(y * 64 + x)];
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(offScreen[static_cast<size_t>(15 * 64 + 26)], kRed);
    EXPECT_EQ(offScreen[static_cast<size_t>(1 * 64 + 0)], kRed) << "clipped at the top-left corner";
    EXPECT_EQ(offScreen[static_cast<size_t>(44 * 64 + 63)], kWhite) << "the key is not drawn";
}

}  // namespace
