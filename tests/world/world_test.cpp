#include "platform/pixel_probe.h"
#include "platform/test_window.h"
#include "support/app_settings_override.h"
#include "support/log_capture.h"
#include "world/sky_background_image.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

// Backgrounds chosen by the test instead of the settings.
class FixedBackgroundFactory : public cSkyBackgroundFactory {
public:
    explicit FixedBackgroundFactory(int choice) : m_choice(choice) {}
    std::unique_ptr<cSkyBackground> create() const override { return createFor(m_choice); }

private:
    int m_choice;
};

class ThrowingBackgroundFactory : public cSkyBackgroundFactory {
public:
    std::unique_ptr<cSkyBackground> create() const override { throw std::runtime_error("bitmap section damaged"); }
};

const keslRect<int> kFullHd(0, 0, 1920, 1080);

TEST(World, StarCountFollowsThePixelsWithAFloorOfEighty) {
    EXPECT_EQ(TorvanelWorld::starCountFor(1920L * 1080), 518);
    EXPECT_EQ(TorvanelWorld::starCountFor(2 * 1920L * 1080), 1036);
    EXPECT_EQ(TorvanelWorld::starCountFor(300000), 80);
    EXPECT_EQ(TorvanelWorld::starCountFor(17024), 80);
    EXPECT_EQ(TorvanelWorld::starCountFor(100), 80);
}

TEST(World, BuildsTheBackgroundFirstThenTheStarsInDrawingOrder) {
    auto test = makeTestWindow(1920, 1080);
    keslKeyValueStr settings;
    settings.setInt("background", 3);
    LogCapture log;
    TorvanelWorld world(&test->window(), false, kFullHd, 1920L * 1080, "/opt/orvanel", cSkyBackgroundFactory(settings));
    const auto& members = world.spriteDirector.members();
    // Background, stars, message stars, clock, moon, bottom line, moon label, quotes label, airplanes, falling star.
    ASSERT_EQ(members.size(), 1u + 518u + 1500u + 4u + 1u + 3u + 1u);
    EXPECT_EQ(members[0], world.getBackground());
    for (size_t i = 0; i < world.getStars().size(); ++i) ASSERT_EQ(members[i + 1], world.getStars()[i].get());
    for (size_t i = 0; i < 1500; ++i) ASSERT_EQ(members[i + 519], world.getMsgStars()[i].get());
    EXPECT_EQ(members[2019], &world.getClock());
    EXPECT_EQ(members[2020], &world.getMoon());
    EXPECT_EQ(members[2021], &world.getBottomLine());
    EXPECT_EQ(members[2022], &world.getMoonInfoLabel());
    EXPECT_EQ(members[2023], &world.getQuotesLabel());
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(members[2024 + i], &world.getAirplanes()[i]);
    EXPECT_EQ(members[2027], &world.getFallingStar());
    for (TzerinSprite* sprite : members) ASSERT_EQ(sprite->m_renderWindowPtr, &test->window());
    EXPECT_EQ(world.getContainerFolder(), "/opt/orvanel");

    const std::string text = log.contents();
    const size_t windowRect = text.find("TorvanelWorld.m_windowRect Top:0, Left:0, Bottom:1080, Right:1920");
    const size_t mainRect = text.find("TorvanelWorld.m_mainMonitorRect Top:0, Left:0, Bottom:1080, Right:1920");
    const size_t factory = text.find("Entering: cSkyBackgroundFactory.create()");
    const size_t stars = text.find("createStars(518)");
    ASSERT_NE(windowRect, std::string::npos);
    ASSERT_NE(stars, std::string::npos);
    EXPECT_LT(windowRect, mainRect);
    EXPECT_LT(mainRect, factory);
    EXPECT_LT(factory, stars);
}

TEST(World, DimSkyColourBecomesTheWindowsBackgroundAndBoundsAreSet) {
    auto test = makeTestWindow(800, 600);
    const keslRect<int> main(0, 100, 640, 480);
    TorvanelWorld world(&test->window(), false, main, 800L * 600, "", FixedBackgroundFactory(0));
    EXPECT_EQ(world.getDimSkyColor(), 0x00000DFFu);
    EXPECT_EQ(test->window().getBackgroundColor(), 0x00000DFFu);
    EXPECT_EQ(world.getWindowBounds(), keslRect<int>(0, 0, 800, 600));
    EXPECT_EQ(world.getMainMonitorBounds(), main);
    EXPECT_EQ(world.getMainMonitorRect(), main);
}

TEST(World, StarsArePlacedInsideTheWindowDriftingSlowlyAndWrapping) {
    auto test = makeTestWindow(300, 200);
    TorvanelWorld world(&test->window(), true, keslRect<int>(0, 0, 300, 200), 60000, "", FixedBackgroundFactory(0));
    ASSERT_EQ(world.getStars().size(), 80u);
    for (const auto& star : world.getStars()) {
        EXPECT_STREQ(star->getName(), "normal star");
        EXPECT_GE(star->x, 0.0f);
        EXPECT_LT(star->x, 300.0f);
        EXPECT_GE(star->y, 0.0f);
        EXPECT_LT(star->y, 200.0f);
        EXPECT_EQ(star->x, static_cast<float>(static_cast<int>(star->x)));
        EXPECT_GE(star->speedX, -0.2f);
        EXPECT_LT(star->speedX, 0.2f);
        EXPECT_GE(star->speedY, -0.2f);
        EXPECT_LT(star->speedY, 0.2f);
        EXPECT_GE(star->baseBrightness, 0.05f);
        EXPECT_LT(star->baseBrightness, 0.4f);
        EXPECT_EQ(star->twinkleAmplitude, 0.6f);
        EXPECT_TRUE(star->restrictionsEnabled);
        ASSERT_EQ(star->restrictions.size(), 1u);
        auto* wrap = dynamic_cast<TzerinMoveRestriction_ContinueInsideRect*>(star->restrictions[0]);
        ASSERT_NE(wrap, nullptr);
        EXPECT_EQ(wrap->bounds, keslRect<int>(0, 0, 300, 200));
    }
}

// Airplanes wrap round the whole window; the falling star needs no restriction.
TEST(World, AirplanesCruiseInsideTheWindowAndTheFallingStarFallsWithinAMinute) {
    auto test = makeTestWindow(320, 240);
    TorvanelWorld world(&test->window(), true, keslRect<int>(0, 0, 320, 240), 76800, "", FixedBackgroundFactory(0));
    for (const cAirplane& airplane : world.getAirplanes()) {
        EXPECT_STREQ(airplane.getName(), "Airplane");
        EXPECT_TRUE(airplane.restrictionsEnabled);
        ASSERT_EQ(airplane.restrictions.size(), 1u);
        auto* wrap = dynamic_cast<TzerinMoveRestriction_ContinueInsideRect*>(airplane.restrictions[0]);
        ASSERT_NE(wrap, nullptr);
        EXPECT_EQ(wrap->bounds, keslRect<int>(0, 0, 320, 240));
    }
    EXPECT_STREQ(world.getFallingStar().getName(), "FallingStar");
    EXPECT_TRUE(world.getFallingStar().restrictions.empty());

    int fallingFrames = 0;
    for (int frame = 0; frame < 1500; ++frame) {
        world.update(0.04f);
        for (const cAirplane& airplane : world.getAirplanes()) {
            // Wrapped on every third step, so no more than three steps of 24 pixels a second beyond an edge.
            ASSERT_GT(airplane.x, -4.0f);
            ASSERT_LT(airplane.x, 324.0f);
            ASSERT_GT(airplane.y, -4.0f);
            ASSERT_LT(airplane.y, 244.0f);
        }
        if (world.getFallingStar().getWait() <= 0.0f) ++fallingFrames;
    }
    EXPECT_GT(fallingFrames, 0);
}

TEST(World, AWindowOneOrNoPixelWidePutsEveryStarInColumnZero) {
    for (int width : {1, 0}) {
        auto test = makeTestWindow(width, 50);
        TorvanelWorld world(&test->window(), true, keslRect<int>(0, 0, width, 50), 100, "", FixedBackgroundFactory(0));
        for (const auto& star : world.getStars()) ASSERT_EQ(star->x, 0.0f) << width;
    }
}

TEST(World, UpdateMovesEveryStar) {
    auto test = makeTestWindow(300, 200);
    TorvanelWorld world(&test->window(), true, keslRect<int>(0, 0, 300, 200), 60000, "", FixedBackgroundFactory(0));
    std::vector<float> xs;
    std::vector<float> ys;
    for (const auto& star : world.getStars()) {
        xs.push_back(star->x);
        ys.push_back(star->y);
    }
    world.update(0.04f);
    for (size_t i = 0; i < xs.size(); ++i) {
        const cStarSpriteWithPixels& star = *world.getStars()[i];
        ASSERT_FLOAT_EQ(star.x, xs[i] + star.speedX * 0.04f);
        ASSERT_FLOAT_EQ(star.y, ys[i] + star.speedY * 0.04f);
    }
}

TEST(World, StarsAreDrawnOverTheBackground) {
    AppSettingsOverride settings;
    settings.set("showMoon", "no");
    auto test = makeTestWindow(200, 120);
    keslWindow& window = test->window();
    TorvanelWorld world(&window, true, keslRect<int>(0, 0, 200, 120), 24000, "", FixedBackgroundFactory(1));
    for (const auto& star : world.getStars()) star->setBrightness(0.0f);
    cStarSpriteWithPixels& star = *world.getStars().front();
    star.setBrightness(1.0f);
    star.x = 50.0f;
    star.y = 40.0f;
    world.spriteDirector.draw();
    EXPECT_EQ(window.getPixel(53, 43), 0xFFFFFFFFu);
    EXPECT_EQ(window.getPixel(52, 42), makeColor(110, 110, 255));
    EXPECT_EQ(window.getPixel(150, 100), makeColor(0, 0, 41));
}

TEST(World, ANullWindowStopsConstructionWithAnErrorAndSchedulesNothing) {
    LogCapture log;
    TorvanelWorld world(nullptr, false, kFullHd, 1920L * 1080, "", FixedBackgroundFactory(3));
    EXPECT_TRUE(log.contains("ERROR>\tTorvanelWorld construction with NULL aWindowPtr"));
    EXPECT_TRUE(world.spriteDirector.members().empty());
    EXPECT_TRUE(world.getStars().empty());
    EXPECT_EQ(world.getBackground(), nullptr);
    world.update(0.04f);
    world.spriteDirector.draw();
}

TEST(World, AFailingBackgroundIsLoggedWithItsContextAndTheStarsStillCome) {
    auto test = makeTestWindow(400, 300);
    LogCapture log;
    TorvanelWorld world(&test->window(), false, keslRect<int>(0, 0, 400, 300), 400L * 300, "",
                        ThrowingBackgroundFactory());
    EXPECT_TRUE(log.contains("ERROR>\tRuntime error caught:"));
    EXPECT_TRUE(log.contains("bitmap section damaged"));
    EXPECT_TRUE(log.contains("initializeBackground() exception"));
    EXPECT_EQ(world.getBackground(), nullptr);
    EXPECT_EQ(world.getStars().size(), 80u);
    // Clock, moon, bottom line, moon label, quotes label, three airplanes and the falling star.
    EXPECT_EQ(world.spriteDirector.members().size(), 80u + 1500u + 4u + 1u + 3u + 1u);
    EXPECT_TRUE(log.contains("Entering: initializeBottomLine()"));
}

TEST(World, DestructionDeletesStarsAndBackgroundAndAWorldBuiltAgainHasItsPalette) {
    auto test = makeTestWindow(200, 100);
    LogCapture log;
    {
        TorvanelWorld world(&test->window(), true, keslRect<int>(0, 0, 200, 100), 20000, "", FixedBackgroundFactory(2));
        EXPECT_EQ(cStarSpriteWithPixels::instanceCount(), 80 + 1500);
    }
    const std::string text = log.contents();
    const size_t entering = text.find("Entering: TorvanelWorld.destructor()");
    const size_t stars = text.find("Deleted stars[]");
    const size_t palette = text.find("Last cStarSpriteWithPixels destroy. Destroyed cStarPalette");
    const size_t msgStars = text.find("Deleted msgStars[]");
    const size_t background = text.find("Deleted m_backgroundPtr[]");
    const size_t exiting = text.find("Exiting: TorvanelWorld.destructor()");
    ASSERT_NE(entering, std::string::npos);
    EXPECT_LT(entering, stars);
    EXPECT_LT(stars, palette);
    EXPECT_LT(palette, msgStars);
    EXPECT_LT(msgStars, background);
    EXPECT_LT(background, exiting);
    EXPECT_EQ(cStarSpriteWithPixels::instanceCount(), 0);
    EXPECT_EQ(cStarPalette::current(), nullptr);

    TorvanelWorld again(&test->window(), true, keslRect<int>(0, 0, 200, 100), 20000, "", FixedBackgroundFactory(2));
    ASSERT_NE(cStarPalette::current(), nullptr);
    test->window().clearWithColor(0x40FF40FFu);
    again.spriteDirector.draw();
    EXPECT_EQ(coloursIn(test->window()).count(0x40FF40FFu), 0u);
}

}  // namespace

namespace {

TEST(World, TheQuotesLabelJoinsOutsidePreviewAndShowsItsFirstQuoteAfterFiveSeconds) {
    auto test = makeTestWindow(1280, 1024);
    const keslRect<int> main(0, 0, 1280, 1024);
    {
        TorvanelWorld preview(&test->window(), true, main, 1280L * 1024, "", FixedBackgroundFactory(0));
        const auto& members = preview.spriteDirector.members();
        EXPECT_EQ(std::count(members.begin(), members.end(), &preview.getQuotesLabel()), 0);
    }
    LogCapture log;
    TorvanelWorld world(&test->window(), false, main, 1280L * 1024, "", FixedBackgroundFactory(0));
    const cQuotesSprite& label = world.getQuotesLabel();
    // After the moon label, before the airplanes.
    const auto& members = world.spriteDirector.members();
    const auto at = std::find(members.begin(), members.end(), &label);
    ASSERT_NE(at, members.end());
    EXPECT_EQ(*(at - 1), &world.getMoonInfoLabel());
    EXPECT_EQ(*(at + 1), &world.getAirplanes()[0]);
    EXPECT_TRUE(log.contains("creating: initializeQuotesLabel()"));
    EXPECT_TRUE(log.contains("destroying: initializeQuotesLabel()"));
    EXPECT_EQ(label.quoteArea, keslRect<float>(20, 10, 1260, 984));
    EXPECT_EQ(label.allowedCategories, (std::vector<std::int32_t>{4, 2, 8, 3, 5, 1}));
    EXPECT_TRUE(label.restrictionsEnabled);
    ASSERT_EQ(label.restrictions.size(), 1u);
    EXPECT_EQ(*label.textParams.fontName, "Comic Sans MS");

    for (int i = 0; i < 124; ++i) world.update(0.04f);
    EXPECT_EQ(label.getText(), "");
    for (int i = 0; i < 3; ++i) world.update(0.04f);
    EXPECT_NE(label.getText(), "");
    EXPECT_EQ(label.dimState, 1);
    EXPECT_GE(label.left, 30.0f);
    EXPECT_LE(label.chainRect.getBottom(), 1004.0f);
}

}  // namespace
