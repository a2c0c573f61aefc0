// A frame drawn only where something changed must leave the window as a
// whole redraw of the same moment would. A sprite that paints outside what
// it reports (a text's ink beyond its box, a star past its image) leaves
// pixels behind that only a whole frame would clear.
#include "platform/test_window.h"
#include "support/app_settings_override.h"
#include "support/fake_system.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 320;
constexpr float kFrameSeconds = 0.04f;
// Forty seconds of sky: a message flies in, a quote fades in, the clock and the moon's label change.
constexpr int kFrames = 1000;
// Frames drawn only where they changed between two comparisons, so what one leaves behind can pile up.
constexpr int kFramesBetweenChecks = 50;

std::vector<keslColor> pixelsOf(keslWindow& window) {
    std::vector<keslColor> pixels;
    pixels.reserve(static_cast<size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) pixels.push_back(window.getPixel(x, y));
    }
    return pixels;
}

std::string firstDifference(const std::vector<keslColor>& changedOnly, const std::vector<keslColor>& whole) {
    for (size_t i = 0; i < changedOnly.size(); ++i) {
        if (changedOnly[i] == whole[i]) continue;
        char text[128];
        std::snprintf(text, sizeof text, "at (%d, %d): %08X drawn where it changed, %08X drawn whole",
                      static_cast<int>(i % kWidth), static_cast<int>(i / kWidth),
                      static_cast<unsigned>(changedOnly[i]), static_cast<unsigned>(whole[i]));
        return text;
    }
    return {};
}

bool shows(const TzerinSprite& sprite) { return sprite.isVisible() && !keslIsEmpty(sprite.reportedCoverage()); }

TEST(ChangedFrames, EachFrameDrawnWhereItChangedEqualsTheSameFrameDrawnWhole) {
    AppSettingsOverride settings;
    settings.set("background", "3").set("showClock", "yes");
    auto test = makeTestWindow(kWidth, kHeight);
    keslWindow& window = test->window();
    TorvanelWorld world(&window, false, keslRect<int>(0, 0, kWidth, kHeight), static_cast<long>(kWidth) * kHeight,
                        "");
    world.draw();
    bool quoteShown = false;
    bool clockShown = false;
    bool labelShown = false;
    for (int frame = 1; frame <= kFrames; ++frame) {
        world.update(kFrameSeconds);
        world.draw();
        quoteShown = quoteShown || shows(world.getQuotesLabel());
        clockShown = clockShown || shows(world.getClock());
        labelShown = labelShown || shows(world.getMoonInfoLabel());
        if (frame % kFramesBetweenChecks != 0) continue;
        const std::vector<keslColor> changedOnly = pixelsOf(window);
        world.requestWholeFrame();
        world.draw();
        ASSERT_EQ(firstDifference(changedOnly, pixelsOf(window)), "") << "frame " << frame;
    }
    EXPECT_TRUE(quoteShown);
    EXPECT_TRUE(clockShown);
    EXPECT_TRUE(labelShown);
}

// The real sky with its names on the Geminids' peak night, a clock second a
// frame: the sky turns, the constellations' names step a pixel or two at a
// time as on screen, and the shower's meteors streak across.
TEST(ChangedFrames, TheRealSkysMovingNamesAndMeteorsLeaveNothingBehind) {
    constexpr int kSkyFrames = 600;
    constexpr int kClockSecondsPerFrame = 1;
    // Five frames a second: two minutes of meteors, several of them.
    constexpr float kSkyFrameSeconds = 0.2f;
    AppSettingsOverride settings;
    settings.set("realSky", "yes").set("showSkyNames", "yes").set("skyLatitude", "52.5").set("skyLongitude", "13.4");
    settings.set("showClock", "no").set("messagesCount", "0").set("msg_defaultMessagesAdded", "yes");
    FakeSystem system;
    system.now = 1797199200;  // 2026-12-13 22:00 UTC: the Geminids' radiant high in the east over Berlin
    auto test = makeTestWindow(kWidth, kHeight);
    keslWindow& window = test->window();
    TorvanelWorld world(&window, false, keslRect<int>(0, 0, kWidth, kHeight), static_cast<long>(kWidth) * kHeight,
                        "");
    world.draw();
    ASSERT_NE(world.getRealSky(), nullptr);
    int namesMoved = 0;
    std::vector<std::tuple<size_t, int, int>> before;
    for (int frame = 1; frame <= kSkyFrames; ++frame) {
        system.now += kClockSecondsPerFrame;
        world.update(kSkyFrameSeconds);
        world.draw();
        std::vector<std::tuple<size_t, int, int>> names;
        world.getRealSky()->labels().visitConstellations([&](size_t c, int x, int y) { names.emplace_back(c, x, y); });
        namesMoved += names != before ? 1 : 0;
        before = names;
        if (frame % kFramesBetweenChecks != 0) continue;
        const std::vector<keslColor> changedOnly = pixelsOf(window);
        world.requestWholeFrame();
        world.draw();
        ASSERT_EQ(firstDifference(changedOnly, pixelsOf(window)), "") << "frame " << frame;
    }
    EXPECT_GE(namesMoved, 5);
    EXPECT_GE(world.getRealSky()->meteors().launched(), 2u);
}

}  // namespace
