#include "app/linux/linux_folders.h"
#include "app/linux/linux_run.h"
#include "app/linux/visual_pixels.h"
#include "support/app_settings_override.h"
#include "support/fake_system.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

struct LinuxRun : ::testing::Test {
    FakeSystem system;
    TempFolder folder;
    LogCapture log;

    void SetUp() override { system.temp = system.appData = system.desktop = folder.path(); }
};

TEST(LinuxMonitorId, SmallWindowsGetThePreviewLook) {
    EXPECT_EQ(monitorIdForWindowSize(152, 112), -1);
    EXPECT_EQ(monitorIdForWindowSize(479, 1000), -1);
    EXPECT_EQ(monitorIdForWindowSize(1000, 319), -1);
    EXPECT_EQ(monitorIdForWindowSize(480, 320), 0);
    EXPECT_EQ(monitorIdForWindowSize(960, 600), 0);
}

TEST_F(LinuxRun, AWindowOfNormalSizeRunsAsTheFullScreenSky) {
    orvanelLinuxRun run(std::make_unique<keslWindow>(960, 600));
    EXPECT_EQ(run.app().getMonitorId(), 0);
    EXPECT_EQ(run.app().getMainMonitorRect(), keslRect<int>(0, 0, 960, 600));
}

TEST_F(LinuxRun, ASmallWindowRunsAsThePreview) {
    orvanelLinuxRun run(std::make_unique<keslWindow>(152, 112));
    EXPECT_TRUE(run.app().isPreview());
    EXPECT_EQ(run.app().getTotalPixels(), 17024);
}

TEST_F(LinuxRun, EveryFrameAdvancesByTheFixedStepAndShowsWhatWasDrawn) {
    orvanelLinuxRun run(std::make_unique<keslWindow>(640, 400));
    int presented = 0;
    run.app().getWindow()->setPresenter([&](const keslPixelSurface&) { ++presented; });
    for (int i = 0; i < 10; ++i) run.runFrame();
    EXPECT_EQ(run.framesRun(), 10);
    EXPECT_EQ(presented, 10);
    EXPECT_NEAR(run.app().getRunEventCountdown(), 25.0f - 10 * frameStep, 1e-4);
    EXPECT_EQ(run.shownFrame().width(), 640);
    EXPECT_EQ(&run.shownFrame(), &run.app().getWindow()->shownSurface());
}

TEST_F(LinuxRun, FramesAreDrawnInTheHostsMemoryAndWrittenOnlyWhereTheyChange) {
    constexpr int kWidth = 1280;
    constexpr int kHeight = 800;
    std::vector<keslPixel> shown(static_cast<size_t>(kWidth) * kHeight, 0xABCDEFu);
    auto window = std::make_unique<keslWindow>(keslRect<int>(0, 0, kWidth, kHeight), shown.data());
    const keslPixelSurface* presented = nullptr;
    window->setPresenter([&](const keslPixelSurface& frame) { presented = &frame; });
    double framesWrittenPerFrame = 0.0;
    {
        orvanelLinuxRun run(std::move(window));
        run.runFrame();
        const std::uint64_t before = keslBlockPixelsWritten();
        constexpr int kFrames = 25;
        for (int i = 0; i < kFrames; ++i) run.runFrame();
        framesWrittenPerFrame = static_cast<double>(keslBlockPixelsWritten() - before) /
                                (static_cast<double>(kWidth) * kHeight * kFrames);
        ASSERT_NE(presented, nullptr);
        EXPECT_EQ(presented->data(), shown.data()) << "the presenter gets the host's memory, not a copy";
    }
    EXPECT_EQ(std::count(shown.begin(), shown.end(), 0xABCDEFu), 0) << "the sky covers the host's memory";
    // Only where the sky changed: a whole background or a copy of the frame would add a whole one.
    EXPECT_GT(framesWrittenPerFrame, 0.0);
    EXPECT_LT(framesWrittenPerFrame, 0.2);
    EXPECT_TRUE(log.contains("Frames: 26 in ")) << "the run ends with its frame times";
}

TEST_F(LinuxRun, EndingTheRunShutsTheApplicationDownAndSaysWhereSettingsLive) {
    { orvanelLinuxRun run(std::make_unique<keslWindow>(640, 400)); }
    EXPECT_TRUE(log.contains("Entering: orvanelScreensaver.shutDown()"));
    EXPECT_TRUE(log.contains("Settings file:"));
}

// A monitor plugged in while the sky runs, with the cursor resting in an
// armed corner: the sky is drawn for the new layout and the run goes on,
// with no second start-up effect and no second keep-awake request.
TEST_F(LinuxRun, AScreenChangeBuildsTheSkyAnewWithoutRepeatingTheStart) {
    AppSettingsOverride settings;
    settings.set("startupEffect", "1").set("hotcorner_BR", "yes").set("preventComputerSleep_permanently", "yes");
    system.monitors = {keslRect<int>(0, 0, 640, 400)};
    orvanelLinuxRun run(std::make_unique<keslWindow>(640, 400));
    ASSERT_NE(run.app().getStartupEffect(), nullptr);
    run.runFrame();
    const size_t keepAwakeRequests = system.keepAwakeRequests.size();

    system.monitors = {keslRect<int>(0, 0, 640, 400), keslRect<int>(0, 640, 800, 600)};
    system.cursor = keslPoint<long>{1439, 599};
    run.changeScreens(std::make_unique<keslWindow>(1440, 600));
    run.runFrame();

    EXPECT_FALSE(run.closeRequested());
    EXPECT_FALSE(log.contains("Screensaver start was prevented because of hotcorners"));
    EXPECT_EQ(run.app().getStartupEffect(), nullptr);
    ASSERT_NE(run.app().getWorld(), nullptr);
    EXPECT_EQ(run.app().getTotalPixels(), 640 * 400 + 800 * 600);
    EXPECT_EQ(run.shownFrame().width(), 1440);
    EXPECT_EQ(system.keepAwakeRequests.size(), keepAwakeRequests);
    EXPECT_TRUE(run.app().getKeepAwake().isActive());
}

TEST_F(LinuxRun, AMissingApplicationDataFolderIsMadeWithItsParentsAndKeptPrivate) {
    system.appData = folder.file("home/.config");
    EXPECT_TRUE(ensureAppDataFolder());
    EXPECT_TRUE(std::filesystem::is_directory(system.appData));
    const auto perms = std::filesystem::status(system.appData).permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);
    EXPECT_TRUE(log.contains("Made the application-data folder"));
    EXPECT_TRUE(ensureAppDataFolder());
}

TEST_F(LinuxRun, AFileWhereTheApplicationDataFolderBelongsIsLoggedNotFatal) {
    writeFile(folder.file("config"), "not a folder");
    system.appData = folder.file("config");
    EXPECT_FALSE(ensureAppDataFolder());
    EXPECT_TRUE(log.contains("#7305"));
}

TEST(VisualPixels, TheCommonTrueColourLayoutIsCopiedAsItIs) {
    EXPECT_TRUE(isRasterLayout({0xFF0000u, 0x00FF00u, 0x0000FFu}, 32));
    EXPECT_FALSE(isRasterLayout({0xFF0000u, 0x00FF00u, 0x0000FFu}, 24));
    EXPECT_FALSE(isRasterLayout({0x0000FFu, 0x00FF00u, 0xFF0000u}, 32));
}

TEST(VisualPixels, OtherLayoutsGetEachChannelScaledIntoItsMask) {
    const keslVisualPixelConverter rgb565({0xF800u, 0x07E0u, 0x001Fu});
    EXPECT_EQ(rgb565(0xFFFFFFu), 0xFFFFu);
    EXPECT_EQ(rgb565(0xFF0000u), 0xF800u);
    EXPECT_EQ(rgb565(0x000000u), 0u);
    EXPECT_EQ(rgb565(0x0080FFu), (0x20u << 5) | 0x1Fu);

    const keslVisualPixelConverter bgr({0x0000FFu, 0x00FF00u, 0xFF0000u});
    EXPECT_EQ(bgr(0x123456u), 0x563412u);

    const keslVisualPixelConverter deep({0x3FF00000u, 0x000FFC00u, 0x000003FFu});
    EXPECT_EQ(deep(0xFFFFFFu), 0x3FFFFFFFu);
    EXPECT_EQ(deep(0x000000u), 0u);
}

}  // namespace
