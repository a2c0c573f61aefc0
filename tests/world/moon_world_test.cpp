#include "platform/pixel_probe.h"
#include "platform/test_window.h"
#include "support/app_settings_override.h"
#include "support/log_capture.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A plain black sky, so whatever the labels and the moon paint stands out.
class BlackSky : public cSkyBackgroundFactory {
public:
    std::unique_ptr<cSkyBackground> create() const override { return createFor(0); }
};

bool isScheduled(const TorvanelWorld& world, const TzerinSprite* sprite) {
    const auto& members = world.spriteDirector.members();
    return std::find(members.begin(), members.end(), sprite) != members.end();
}

TEST(MoonWorld, TheLabelIsCentredUnderTheDriftingMoon) {
    AppSettingsOverride settings;
    settings.set("moonSize", "200");
    auto test = makeTestWindow(1000, 700);
    LogCapture log;
    TorvanelWorld world(&test->window(), false, keslRect<int>(0, 0, 1000, 700), 700000, "", BlackSky());
    EXPECT_TRUE(log.contains("Entering: initializeMoon()"));
    const cMoonSprite& moon = world.getMoon();
    const cMoonInfoSprite& label = world.getMoonInfoLabel();
    ASSERT_EQ(moon.width, 200.0f);
    const float startX = moon.x;

    for (int i = 0; i < 250; ++i) world.update(0.04f);
    EXPECT_NEAR(moon.x, startX + 250 * 0.04f * 0.1f, 0.05f);

    test->window().clearWithColor(kColorOpaqueBlack);
    world.spriteDirector.draw();
    // The label's pale green ink below the moon; stars are white or bluish.
    const int labelTop = static_cast<int>(moon.y + moon.height);
    const auto labelInk = [&](int x, int y) {
        const keslColor c = test->window().getPixel(x, y + labelTop);
        const bool green = colorGreen(c) > colorRed(c) + 20 && colorGreen(c) > colorBlue(c) + 20;
        return green ? c : kColorOpaqueBlack;
    };
    const InkBox ink = findInk(labelInk, 1000, 200, kColorOpaqueBlack);
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(label.y, moon.y + moon.height);
    const float inkMiddle = (ink.left + ink.right + 1) * 0.5f;
    EXPECT_NEAR(inkMiddle, moon.x + 100.0f, 4.0f) << "ink " << ink.left << ".." << ink.right;
}

TEST(MoonWorld, APreviewHasTheSmallMoonAThirdOfTheLabelAndNoClock) {
    auto test = makeTestWindow(152, 112);
    TorvanelWorld world(&test->window(), true, keslRect<int>(0, 0, 152, 112), 17024, "", BlackSky());
    EXPECT_EQ(world.getMoon().width, 50.0f);
    EXPECT_FLOAT_EQ(*world.getMoonInfoLabel().textParams.fontSize, 11.0f / 3.0f);
    EXPECT_TRUE(isScheduled(world, &world.getMoonInfoLabel()));
    EXPECT_FALSE(isScheduled(world, &world.getClock()));
    EXPECT_FALSE(isScheduled(world, &world.getFrameRateLabel()));
}

TEST(MoonWorld, WithoutTheMoonNeitherItNorItsLabelIsDrawnOrMoved) {
    AppSettingsOverride settings;
    settings.set("showMoon", "no");
    auto test = makeTestWindow(400, 300);
    TorvanelWorld world(&test->window(), false, keslRect<int>(0, 0, 400, 300), 120000, "", BlackSky());
    EXPECT_FALSE(isScheduled(world, &world.getMoon()));
    EXPECT_FALSE(isScheduled(world, &world.getMoonInfoLabel()));
    EXPECT_TRUE(isScheduled(world, &world.getClock()));
    world.update(0.04f);
    EXPECT_EQ(world.getMoonInfoLabel().x, 0.0f);
    EXPECT_EQ(world.getMoonInfoLabel().y, 0.0f);
}

TEST(MoonWorld, WithNothingToSayTheLabelStaysOffButTheMoonShines) {
    AppSettingsOverride settings;
    settings.set("showMoonPhaseName", "no").set("showMoonPhasePercentAndDegrees", "no").set("showNotableDates", "no");
    auto test = makeTestWindow(400, 300);
    TorvanelWorld world(&test->window(), false, keslRect<int>(0, 0, 400, 300), 120000, "", BlackSky());
    EXPECT_TRUE(isScheduled(world, &world.getMoon()));
    EXPECT_FALSE(isScheduled(world, &world.getMoonInfoLabel()));
    EXPECT_FALSE(world.getMoonInfoLabel().isVisible());
}

TEST(MoonWorld, TheClockStartsInsideTheMainMonitorAndBounces) {
    auto test = makeTestWindow(1600, 900);
    const keslRect<int> main(0, 300, 1000, 800);
    TorvanelWorld world(&test->window(), false, main, 1600L * 900, "", BlackSky());
    const cClockSprite& clock = world.getClock();
    EXPECT_GE(clock.x, 300.0f);
    EXPECT_LE(clock.x, 1300.0f - 250.0f);
    EXPECT_GE(clock.y, 0.0f);
    EXPECT_LE(clock.y, 800.0f - 40.0f);
    EXPECT_TRUE(clock.restrictionsEnabled);
    ASSERT_EQ(clock.restrictions.size(), 1u);
    const auto* bounce = dynamic_cast<const TzerinMoveRestriction_BounceInsideRect*>(clock.restrictions[0]);
    ASSERT_NE(bounce, nullptr);
    EXPECT_EQ(bounce->bounds, main);
    EXPECT_EQ(world.getFrameRateLabel().getText(), "frame rate (wait...)");
}

}  // namespace
