#include "app/linux/linux_options.h"

#include <gtest/gtest.h>

namespace {

orvanelLinuxArguments parse(std::vector<std::string> args, const char* xscreensaverWindow = nullptr) {
    return parseLinuxArguments(args, xscreensaverWindow);
}

TEST(LinuxArguments, NothingGivenMeansAWindowOfItsOwnAtTheDefaultSize) {
    const orvanelLinuxArguments a = parse({});
    EXPECT_TRUE(a.error.empty());
    EXPECT_EQ(a.options.mode, orvanelLinuxMode::ownWindow);
    EXPECT_EQ(a.options.width, 960);
    EXPECT_EQ(a.options.height, 600);
}

TEST(LinuxArguments, HeadlessTakesSizeSecondsFolderAndEvery) {
    const orvanelLinuxArguments a =
        parse({"--headless", "--size", "1280x720", "--seconds", "2.5", "--out", "frames", "--every", "5"});
    ASSERT_TRUE(a.error.empty()) << a.error;
    EXPECT_EQ(a.options.mode, orvanelLinuxMode::headless);
    EXPECT_EQ(a.options.width, 1280);
    EXPECT_EQ(a.options.height, 720);
    EXPECT_DOUBLE_EQ(a.options.seconds, 2.5);
    EXPECT_EQ(a.options.outFolder, "frames");
    EXPECT_EQ(a.options.everyNthFrame, 5);
}

TEST(LinuxArguments, HeadlessDefaultsToOneFramePerSecondIntoOut) {
    const orvanelLinuxArguments a = parse({"--headless"});
    ASSERT_TRUE(a.error.empty());
    EXPECT_EQ(a.options.everyNthFrame, 25);
    EXPECT_EQ(a.options.outFolder, "out");
    EXPECT_DOUBLE_EQ(a.options.seconds, 10.0);
}

TEST(LinuxArguments, XScreenSaverSpellingsAndValueFormsAreUnderstood) {
    EXPECT_EQ(parse({"-root"}).options.mode, orvanelLinuxMode::rootWindow);
    const orvanelLinuxArguments hex = parse({"-window-id", "0x2a00007"});
    EXPECT_EQ(hex.options.mode, orvanelLinuxMode::foreignWindow);
    EXPECT_EQ(hex.options.windowId, 0x2a00007ul);
    EXPECT_EQ(parse({"--window-id=12345"}).options.windowId, 12345ul);
    EXPECT_EQ(parse({"--headless", "--size=64X48"}).options.height, 48);
}

TEST(LinuxArguments, ShowDirtyWorksWithEveryModeAndTakesNoValue) {
    EXPECT_FALSE(parse({"--root"}).options.showDirty);
    EXPECT_TRUE(parse({"-root", "-show-dirty"}).options.showDirty);
    EXPECT_TRUE(parse({"--headless", "--show-dirty"}).options.showDirty);
    EXPECT_NE(parse({"--show-dirty=yes"}).error.find("takes no value"), std::string::npos);
}

TEST(LinuxArguments, TheXScreenSaverVariableNamesTheWindowUnlessTheCommandLineChoseOne) {
    const orvanelLinuxArguments fromVariable = parse({}, "0x400001");
    EXPECT_EQ(fromVariable.options.mode, orvanelLinuxMode::foreignWindow);
    EXPECT_EQ(fromVariable.options.windowId, 0x400001ul);
    EXPECT_EQ(parse({"--window-id", "77"}, "0x400001").options.windowId, 77ul);
    EXPECT_EQ(parse({"--window"}, "0x400001").options.mode, orvanelLinuxMode::ownWindow);
    EXPECT_EQ(parse({"--headless"}, "0x400001").options.mode, orvanelLinuxMode::headless);
    EXPECT_EQ(parse({}, "").options.mode, orvanelLinuxMode::ownWindow);
}

TEST(LinuxArguments, UnderXScreenSaverTheRootIsTheWindowItMade) {
    const orvanelLinuxArguments a = parse({"-root"}, "4194305");
    ASSERT_TRUE(a.error.empty()) << a.error;
    EXPECT_EQ(a.options.mode, orvanelLinuxMode::foreignWindow);
    EXPECT_EQ(a.options.windowId, 4194305ul);
}

TEST(LinuxArguments, TheWaylandModesIgnoreTheXScreenSaverVariable) {
    EXPECT_EQ(parse({"--wayland"}, "0x400001").options.mode, orvanelLinuxMode::waylandScreensaver);
    EXPECT_EQ(parse({"-wayland-wallpaper"}, "0x400001").options.mode, orvanelLinuxMode::waylandWallpaper);
}

TEST(LinuxArguments, HelpWinsOverEverythingElseEvenMistakes) {
    EXPECT_EQ(parse({"--root", "--help"}).options.mode, orvanelLinuxMode::help);
    const orvanelLinuxArguments a = parse({"--nonsense", "-h"});
    EXPECT_EQ(a.options.mode, orvanelLinuxMode::help);
    EXPECT_TRUE(a.error.empty());
}

TEST(LinuxArguments, MistakesAreNamedInTheMessage) {
    struct Case {
        std::vector<std::string> args;
        const char* mentions;
    };
    const Case cases[] = {
        {{"--bogus"}, "--bogus"},
        {{"--window-id"}, "wants a value"},
        {{"--window-id", "abc"}, "abc"},
        {{"--window-id", "0"}, "not a window id"},
        {{"--window-id", "-5"}, "not a window id"},
        {{"--headless", "--size", "960"}, "WIDTHxHEIGHT"},
        {{"--headless", "--size", "0x600"}, "0x600"},
        {{"--headless", "--size", "99999x600"}, "99999x600"},
        {{"--headless", "--size", "960x-600"}, "960x-600"},
        {{"--headless", "--seconds", "-1"}, "positive"},
        {{"--headless", "--seconds", "nan"}, "positive"},
        {{"--headless", "--seconds", "4s"}, "4s"},
        {{"--headless", "--every", "0"}, "--every"},
        {{"--headless", "--out", ""}, "--out wants a folder"},
        {{"--seconds", "4"}, "--seconds needs --headless"},
        {{"--root", "--out", "x"}, "--out needs --headless"},
        {{"--root", "--headless"}, "cannot be combined"},
        {{"--window", "--window-id", "5"}, "cannot be combined"},
        {{"--root", "--size", "10x10"}, "--size cannot be combined with --root"},
        {{"--size", "640x480"}, ""},
        {{"--at", "2026-03-20T21:30:00Z"}, "--at needs --sky-report"},
        {{"--headless", "--place", "52.5,13.4"}, ""},
        {{"--sky-report", "--at", "2026-03-20T24:00:00Z"}, "2026-03-20T24:00:00Z"},
        {{"--sky-report", "--place", "52.5;13.4"}, "LAT,LON"},
        {{"--sky-report", "--at=2028-02-29T23:59:59.5Z", "--place=-33.9,151.2", "--size", "1920x1080"}, ""},
        {{"--wayland", "--root"}, "cannot be combined"},
        {{"--wayland-wallpaper", "--size", "10x10"}, "--size cannot be combined with --wayland-wallpaper"},
        {{"--wayland", "--seconds", "3"}, "--seconds needs --headless"},
    };
    for (const Case& c : cases) {
        const orvanelLinuxArguments a = parse(c.args);
        const std::string joined = c.args.empty() ? "" : c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
        if (*c.mentions == '\0') {
            EXPECT_TRUE(a.error.empty()) << joined << ": " << a.error;
            continue;
        }
        EXPECT_NE(a.error.find(c.mentions), std::string::npos) << joined << " gave: " << a.error;
    }
}

TEST(LinuxArguments, ABadXScreenSaverVariableIsReportedNotIgnored) {
    const orvanelLinuxArguments a = parse({}, "window please");
    EXPECT_NE(a.error.find("XSCREENSAVER_WINDOW"), std::string::npos);
}

}  // namespace
