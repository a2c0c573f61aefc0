#include "app/linux/headless_host.h"
#include "app/linux/stop_signals.h"
#include "support/app_settings_override.h"
#include "support/fake_system.h"
#include "world/world_sounds.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

#include <png.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <vector>

namespace {

struct DecodedPng {
    bool ok = false;
    unsigned width = 0;
    unsigned height = 0;
    std::vector<png_byte> rgb;
};

DecodedPng readPng(const std::string& path) {
    DecodedPng result;
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return result;
    image.format = PNG_FORMAT_RGB;
    result.rgb.resize(PNG_IMAGE_SIZE(image));
    result.ok = png_image_finish_read(&image, nullptr, result.rgb.data(), 0, nullptr) != 0;
    result.width = image.width;
    result.height = image.height;
    return result;
}

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

struct HeadlessRun : ::testing::Test {
    FakeSystem system;
    TempFolder folder;
    LogCapture log;
    orvanelLinuxOptions options;

    void SetUp() override {
        system.temp = system.appData = system.desktop = folder.path();
        options.mode = orvanelLinuxMode::headless;
        options.width = 64;
        options.height = 48;
        options.outFolder = folder.file("frames");
        clearStopRequest();
    }
    void TearDown() override { clearStopRequest(); }
};

TEST_F(HeadlessRun, KeepsEveryNthFrameAsAPngOfTheRequestedSize) {
    options.seconds = 0.4;  // ten frames
    options.everyNthFrame = 3;
    const orvanelHeadlessResult result = runHeadless(options);

    EXPECT_EQ(result.exitCode, 0) << result.error;
    EXPECT_EQ(result.framesRun, 10);
    EXPECT_EQ(result.framesWritten, 4);
    const std::set<std::string> expected = {"frame-00001.png", "frame-00004.png", "frame-00007.png", "frame-00010.png"};
    EXPECT_EQ(filesIn(options.outFolder), expected);
    for (const std::string& name : expected) {
        const DecodedPng png = readPng(options.outFolder + "/" + name);
        ASSERT_TRUE(png.ok) << name;
        EXPECT_EQ(png.width, 64u);
        EXPECT_EQ(png.height, 48u);
    }
}

TEST_F(HeadlessRun, WritesWhatTheApplicationDrewNotTheBlankWindow) {
    options.seconds = 0.04;
    ASSERT_EQ(runHeadless(options).framesWritten, 1);
    const DecodedPng png = readPng(options.outFolder + "/frame-00001.png");
    ASSERT_TRUE(png.ok);
    // A fresh raster window is all zeros until the application draws.
    bool anythingDrawn = false;
    for (png_byte b : png.rgb) anythingDrawn = anythingDrawn || b != 0;
    EXPECT_TRUE(anythingDrawn);
}

TEST_F(HeadlessRun, MakesTheOutputFolderWithItsParents) {
    options.outFolder = folder.file("a/b/c");
    options.seconds = 0.04;
    EXPECT_EQ(runHeadless(options).exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(folder.file("a/b/c/frame-00001.png")));
}

TEST_F(HeadlessRun, ReplacesFramesOfAnEarlierRunButKeepsOtherFiles) {
    std::filesystem::create_directories(options.outFolder);
    writeFile(options.outFolder + "/frame-00099.png", "old");
    writeFile(options.outFolder + "/notes.txt", "mine");
    writeFile(options.outFolder + "/frame-1.png", "not ours");
    options.seconds = 0.04;
    runHeadless(options);
    const std::set<std::string> expected = {"frame-00001.png", "notes.txt", "frame-1.png"};
    EXPECT_EQ(filesIn(options.outFolder), expected);
}

TEST_F(HeadlessRun, AnOutputFolderThatCannotBeMadeEndsWithAClearError) {
    writeFile(folder.file("plain-file"), "x");
    options.outFolder = folder.file("plain-file/frames");
    const orvanelHeadlessResult result = runHeadless(options);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.framesRun, 0);
    EXPECT_NE(result.error.find("plain-file/frames"), std::string::npos);
    EXPECT_TRUE(log.contains("cannot make the output folder"));
}

TEST_F(HeadlessRun, AStopRequestEndsTheRunCleanlyBeforeTheNextFrame) {
    requestStop();
    options.seconds = 10;
    const orvanelHeadlessResult result = runHeadless(options);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.framesRun, 0);
    EXPECT_TRUE(log.contains("orvanelScreensaver.shutDown()"));
}

TEST_F(HeadlessRun, RendersInSilenceWhateverSoundIsChosen) {
    AppSettingsOverride settings;
    settings.set("snd_selectedSound", "4").set("snd_cuckooEveryHour", "yes");
    startupSoundCountdown() = 1.5f;
    options.width = 640;
    options.height = 400;
    options.seconds = 2.0;
    options.everyNthFrame = 1000;
    ASSERT_EQ(runHeadless(options).exitCode, 0);
    EXPECT_TRUE(system.sounds.empty()) << system.sounds.size() << " sound calls reached the system";
    EXPECT_LE(startupSoundCountdown(), 0.0f) << "the start-up sound was due and silenced";
}

TEST(HeadlessFrames, CountAndNamesFollowTheFixedStep) {
    EXPECT_EQ(headlessFrameCount(4.0), 100);
    EXPECT_EQ(headlessFrameCount(0.001), 1);
    EXPECT_EQ(headlessFrameCount(1.0 / 3.0), 8);
    EXPECT_EQ(headlessFrameName(7), "frame-00007.png");
}

}  // namespace
