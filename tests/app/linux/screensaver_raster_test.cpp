#include "app/screensaver.h"
#include "platform/pixel_probe.h"
#include "support/app_settings_override.h"
#include "support/fake_system.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The application bound to a raster window (the hosts that make their own
// window adopt it) of the given size, with settings
// and folders kept inside a temporary folder.
struct ScreensaverFixture : ::testing::Test {
    FakeSystem system;
    TempFolder folder;
    std::unique_ptr<orvanelScreensaver> app;

    void SetUp() override {
        system.temp = folder.path();
        system.appData = folder.path();
        system.desktop = folder.path();
        app = std::make_unique<orvanelScreensaver>();
    }

    void start(int width, int height, int monitorId) {
        app->adoptWindow(std::make_unique<keslWindow>(width, height));
        app->initWithWindowHandle(nullptr, monitorId);
    }
};

TEST_F(ScreensaverFixture, PreviewIsOneRegionOfTheWindowSize) {
    start(152, 112, -1);
    ASSERT_EQ(app->getDrawRegions().size(), 1u);
    EXPECT_EQ(app->getDrawRegions()[0], keslRect<int>(0, 0, 152, 112));
    EXPECT_EQ(app->getMainMonitorRect(), keslRect<int>(0, 0, 152, 112));
    EXPECT_EQ(app->getTotalPixels(), 17024);
    EXPECT_TRUE(app->isPreview());
}

TEST_F(ScreensaverFixture, FullScreenMakesARegionPerMonitorWithTheFirstAsMain) {
    system.monitors = {{0, 0, 1920, 1080}, {0, -1280, 1280, 1024}};
    start(3200, 1080, 0);
    ASSERT_EQ(app->getDrawRegions().size(), 2u);
    EXPECT_EQ(app->getMainMonitorRect(), keslRect<int>(0, 1280, 1920, 1080));
    EXPECT_EQ(app->getTotalPixels(), 1920L * 1080 + 1280L * 1024);
}

TEST_F(ScreensaverFixture, WithoutAWindowTheStartLogsAndDrawsNothing) {
    LogCapture log;
    app->initWithWindowHandle(nullptr, 0);
    app->tick(frameStep);
    app->drawFrame();
    app->flushFrame();
    EXPECT_EQ(app->getWindow(), nullptr);
    EXPECT_EQ(app->getTotalPixels(), 100);
    EXPECT_TRUE(log.contains("Creating TorvanelWorld with monitorId =0"));
    EXPECT_TRUE(log.contains("TorvanelWorld construction with NULL aWindowPtr"));
}

TEST_F(ScreensaverFixture, TheWorldIsBuiltForTheMainMonitorAndAllPixels) {
    system.monitors = {{0, 0, 1920, 1080}, {0, -1280, 1280, 1024}};
    start(3200, 1080, 0);
    ASSERT_NE(app->getWorld(), nullptr);
    EXPECT_EQ(app->getWorld()->getMainMonitorRect(), keslRect<int>(0, 1280, 1920, 1080));
    EXPECT_EQ(app->getWorld()->getStars().size(), static_cast<size_t>((1920L * 1080 + 1280L * 1024) / 4000));

    orvanelScreensaver preview;
    preview.adoptWindow(std::make_unique<keslWindow>(152, 112));
    preview.initWithWindowHandle(nullptr, -1);
    ASSERT_NE(preview.getWorld(), nullptr);
    EXPECT_EQ(preview.getWorld()->getStars().size(), 80u);
}

// The cursor is in screen pixels; a monitor left of the main one puts the
// desktop's corner at x = -1280, where its own top-left corner lies.
TEST_F(ScreensaverFixture, ACursorInAnArmedCornerOfAnyMonitorRefusesTheStart) {
    struct Case {
        long x, y;
        bool refused;
    };
    const Case cases[] = {{-1270, 10, true}, {10, 10, true}, {600, 500, false}, {1290, 10, false}};
    keslKeyValue& settings = settingsGroups::defaultStore();
    settings.setBool("hotcorner_TL", true);
    system.monitors = {{0, 0, 1920, 1080}, {0, -1280, 1280, 1024}};
    for (const Case& c : cases) {
        system.cursor = keslPoint<long>{c.x, c.y};
        LogCapture log;
        orvanelScreensaver screensaver;
        screensaver.adoptWindow(std::make_unique<keslWindow>(3200, 1080));
        screensaver.initWithWindowHandle(nullptr, 0);
        EXPECT_EQ(screensaver.getWorld() == nullptr, c.refused) << c.x << "," << c.y;
        EXPECT_EQ(screensaver.getWindow()->closeRequested(), c.refused) << c.x << "," << c.y;
        EXPECT_EQ(log.contains("Screensaver start was prevented because of hotcorners"), c.refused);
    }
    settings.setBool("hotcorner_TL", false);
}

TEST_F(ScreensaverFixture, KeepAwakeIsReleasedWhenTheApplicationEnds) {
    keslKeyValue& settings = settingsGroups::defaultStore();
    settings.setBool("preventComputerSleep_permanently", true);
    {
        orvanelScreensaver screensaver;
        EXPECT_TRUE(screensaver.getKeepAwake().isActive());
    }
    settings.setBool("preventComputerSleep_permanently", false);
    EXPECT_EQ(system.keepAwakeRequests, (std::vector<bool>{true, false}));
}

TEST_F(ScreensaverFixture, AFrameIsTheWorldsPicture) {
    // Only the stars are left to differ from the background.
    AppSettingsOverride settings;
    settings.set("showMoon", "no").set("showClock", "no");
    start(320, 200, 0);
    keslWindow& window = *app->getWindow();
    app->tick(frameStep);
    app->drawFrame();

    // The same background alone, on a window of the same size.
    keslWindow reference(320, 200);
    std::unique_ptr<cSkyBackground> background = cSkyBackgroundFactory().create();
    background->setRenderWindow(&reference);
    background->draw();
    int same = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 320; ++x) same += window.getPixel(x, y) == reference.getPixel(x, y) ? 1 : 0;
    }
    // Everything but the few pixels the stars cover.
    EXPECT_GT(same, 320 * 200 * 95 / 100);
    EXPECT_LT(same, 320 * 200);
}

TEST_F(ScreensaverFixture, ShutDownDeletesTheWorld) {
    start(64, 48, 0);
    LogCapture log;
    app->shutDown();
    EXPECT_EQ(app->getWorld(), nullptr);
    EXPECT_TRUE(log.contains("Deleted stars[]"));
    EXPECT_TRUE(log.contains("Deleted ovWorldPtr"));
    app->tick(frameStep);
    app->drawFrame();
}

TEST_F(ScreensaverFixture, RunEventCountsDownOnlyInFullScreen) {
    start(64, 48, 0);
    for (int i = 0; i < 10; ++i) app->tick(frameStep);
    EXPECT_NEAR(app->getRunEventCountdown(), 25.0f - 0.4f, 1e-4f);

    orvanelScreensaver preview;
    preview.adoptWindow(std::make_unique<keslWindow>(32, 32));
    preview.initWithWindowHandle(nullptr, -1);
    preview.tick(frameStep);
    EXPECT_FLOAT_EQ(preview.getRunEventCountdown(), 25.0f);
}

TEST_F(ScreensaverFixture, ContainerFolderIsKeptOrLoggedAsMissing) {
    LogCapture log;
    app->setContainerFolder("/opt/orvanel");
    EXPECT_EQ(app->getContainerFolder(), "/opt/orvanel");
    app->setContainerFolder(nullptr);
    EXPECT_EQ(app->getContainerFolder(), "");
    const std::string text = log.contents();
    EXPECT_NE(text.find("ERROR>"), std::string::npos);
    EXPECT_NE(text.find("screensaver's container folder:NULL"), std::string::npos) << text;
}

TEST_F(ScreensaverFixture, TheOldTVPlaysFirstAndHoldsBackEverythingElseThenTheSkyStarts) {
    AppSettingsOverride settings;
    settings.set("startupEffect", "1");
    LogCapture log;
    start(1920, 1080, 0);
    ASSERT_NE(app->getStartupEffect(), nullptr);
    EXPECT_FALSE(app->getWindow()->isDoubleBuffered());
    const float airplaneX = app->getWorld()->getAirplanes()[0].x;

    for (int frame = 1; frame <= 26; ++frame) {
        app->tick(frameStep);
        app->drawFrame();
        app->flushFrame();
        if (frame == 1) {
            EXPECT_EQ(fromPixel(app->getWindow()->shownSurface().at(960, 53)), 0x050510FFu);
            EXPECT_EQ(fromPixel(app->getWindow()->shownSurface().at(960, 1080 - 54)), 0x050510FFu);
        }
    }
    EXPECT_TRUE(app->getStartupEffect()->isFinished());
    EXPECT_TRUE(app->getWindow()->isDoubleBuffered());
    EXPECT_EQ(app->getRunEventCountdown(), 25.0f);
    EXPECT_EQ(app->getWorld()->getAirplanes()[0].x, airplaneX);
    EXPECT_FALSE(log.contains("Deleted startupEffectPtr"));

    app->tick(frameStep);
    app->drawFrame();
    EXPECT_EQ(app->getStartupEffect(), nullptr);
    EXPECT_TRUE(log.contains("Deleted startupEffectPtr. point 1"));
    EXPECT_LT(app->getRunEventCountdown(), 25.0f);
    EXPECT_TRUE(app->getWorld()->getAirplanes()[0].isPlaced());
}

TEST_F(ScreensaverFixture, WithoutTheOldTVTheSkyStartsAtOnceAndAPlayingEffectEndsWithTheRun) {
    start(800, 600, 0);
    EXPECT_EQ(app->getStartupEffect(), nullptr);
    app->tick(frameStep);
    EXPECT_LT(app->getRunEventCountdown(), 25.0f);

    AppSettingsOverride settings;
    settings.set("startupEffect", "1");
    LogCapture log;
    orvanelScreensaver second;
    second.adoptWindow(std::make_unique<keslWindow>(800, 600));
    second.initWithWindowHandle(nullptr, 0);
    second.drawFrame();
    second.shutDown();
    EXPECT_EQ(second.getStartupEffect(), nullptr);
    EXPECT_TRUE(log.contains("Deleted startupEffectPtr. point 2"));
}

}  // namespace
