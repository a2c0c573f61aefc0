#include "platform/pixel_probe.h"
#include "platform/test_window.h"
#include "support/app_settings_override.h"
#include "support/fake_system.h"
#include "support/log_capture.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

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
    // The moon drifts within a main monitor that leaves room on both sides:
    // a label under a moon by the window's edge would be cut, its middle moved.
    TorvanelWorld world(&test->window(), false, keslRect<int>(0, 150, 700, 700), 490000, "", BlackSky());
    EXPECT_TRUE(log.contains("Entering: initializeMoon()"));
    const cMoonSprite& moon = world.getMoon();
    const cMoonInfoSprite& label = world.getMoonInfoLabel();
    ASSERT_EQ(moon.width, 200.0f);
    ASSERT_GE(moon.x, 150.0f);
    ASSERT_LE(moon.x, 650.0f);
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

TEST(MoonRefresh, LooksAfterAnHourAtMostOnceAMinuteAndMovesOnWholeDegrees) {
    cMoonRefresh refresh;
    refresh.start(1000, 100);
    EXPECT_FALSE(refresh.checkDue(1000 + 3600));
    EXPECT_TRUE(refresh.checkDue(1000 + 3601));
    EXPECT_FALSE(refresh.phaseMoved(1000 + 3601, 100));
    EXPECT_FALSE(refresh.checkDue(1000 + 3660));
    EXPECT_TRUE(refresh.checkDue(1000 + 3661));
    EXPECT_TRUE(refresh.phaseMoved(1000 + 3661, 101));
    EXPECT_EQ(refresh.litPhaseDegrees(), 101);
    EXPECT_TRUE(refresh.checkDue(900)) << "a clock set back is looked at again";

    refresh.start(0, 359);
    EXPECT_TRUE(refresh.phaseMoved(7200, 0)) << "one degree across the full moon";
    EXPECT_EQ(phaseDistanceDegrees(10, 350), 20);
    EXPECT_EQ(phaseDistanceDegrees(90, 270), 180);
}

// A root window left running for a week shows this week's moon and label.
TEST(MoonWorld, AWeekLaterTheMoonIsLitAndLabelledForTheNewDay) {
    FakeSystem system;
    system.now = 1794513600;  // 2026-11-12 20:00 UTC, a thin waxing crescent
    AppSettingsOverride settings;
    settings.set("moonSize", "100");
    auto test = makeTestWindow(800, 600);
    LogCapture log;
    TorvanelWorld world(&test->window(), false, keslRect<int>(0, 0, 800, 600), 480000, "", BlackSky());
    // No message stars in flight, whose frames the refresh leaves alone.
    world.getMsgStarDirector().setMessages({});
    world.update(0.04f);
    system.now += 1800;
    world.update(0.04f);
    EXPECT_FALSE(log.contains("lit and labelled anew")) << "within the first hour";

    system.now += 7 * 24 * 3600;
    for (int i = 0; i < 30; ++i) world.update(0.04f);
    const std::string lines = log.contents();
    const size_t first = lines.find("lit and labelled anew");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(lines.find("lit and labelled anew", first + 1), std::string::npos) << "once, then not within a minute";

    cMoonInfo weekLater;
    const std::vector<std::string>& phaseLines = world.getMoonInfoLabel().lines().phaseLines.lines();
    ASSERT_FALSE(phaseLines.empty());
    EXPECT_EQ(phaseLines.front(), "Phase (degrees):" + std::to_string(weekLater.m_results.moonPhaseDegrees));
    const int phase = weekLater.m_results.moonPictureDegrees;

    // The picture is the one a moon lit for the new phase has.
    cMoonSettings moonSettings;
    cMoonSprite reference;
    ASSERT_TRUE(reference.initializeMoon(false, moonSettings, phase, &test->window(), keslRect<int>(0, 0, 800, 600)));
    ASSERT_TRUE(reference.relight(phase));
    // Reading a pixel is not const on an image; the world only lends its moon for looking.
    keslImage& shown = const_cast<cMoonSprite&>(world.getMoon()).ownedImage();
    int differing = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) differing += shown.getPixel(x, y) != reference.ownedImage().getPixel(x, y);
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
