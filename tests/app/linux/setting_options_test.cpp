#include "app/draw_regions.h"
#include "app/linux/linux_options.h"
#include "settings/key_value.h"

#include <gtest/gtest.h>

namespace {

// The store a run reads after its command line is applied.
keslKeyValueStr storeAfter(const std::vector<std::string>& args, keslKeyValueStr store = {}) {
    const orvanelLinuxArguments parsed = parseLinuxArguments(args, nullptr);
    EXPECT_TRUE(parsed.error.empty()) << parsed.error;
    applySettingOverrides(parsed.options.settingOverrides, store);
    return store;
}

TEST(SettingOptions, EachOptionReadsAsTheSettingItStandsFor) {
    struct Case {
        std::vector<std::string> args;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {{"--background", "gradient"}, "background", "2"},
        {{"--background=black"}, "background", "0"},
        {{"--moon", "medium"}, "moonSize", "200"},
        {{"--moon", "none"}, "showMoon", "no"},
        {{"--message", "Good night\\nsleep well"}, "message1", "Good night\r\nsleep well"},
        {{"--message", "Hi"}, "messagesCount", "1"},
        {{"--no-quotes"}, "showQuotes_Peace", "no"},
        {{"--quotes"}, "showQuotes_WomenVSMen", "yes"},
        {{"--quote-seconds", "30"}, "quoteDurationInSec", "30"},
        {{"--no-clock"}, "showClock", "no"},
        {{"--clock-24h"}, "clockFormat24H", "yes"},
        {{"--no-clock-seconds"}, "clockShowSeconds", "no"},
        {{"--startup-effect"}, "startupEffect", "1"},
        {{"--sound", "ocean"}, "snd_selectedSound", "4"},
        {{"--loop-sound"}, "snd_loopSound", "yes"},
        {{"--no-hourly-chime"}, "snd_cuckooEveryHour", "no"},
        {{"--real-sky"}, "realSky", "yes"},
        {{"--place", "-33.87,151.21"}, "skyLatitude", "-33.87"},
        {{"--place=52.5,13.4"}, "skyLongitude", "13.4"},
        {{"--no-constellation-lines"}, "showConstellationLines", "no"},
        {{"--sky-names"}, "showSkyNames", "yes"},
        {{"--always-night"}, "realSkyAlwaysNight", "yes"},
        {{"--no-always-night"}, "realSkyAlwaysNight", "no"},
    };
    for (const Case& c : cases) {
        const keslKeyValueStr store = storeAfter(c.args);
        EXPECT_EQ(store.getString(c.key, "absent"), c.value) << c.args[0];
        EXPECT_TRUE(store.entries().empty()) << c.args[0] << ": an override must never be stored";
    }
}

TEST(SettingOptions, ABottomLineGoesWithTheMessagesOfTheRun) {
    keslKeyValueStr stored;
    stored.setInt("messagesCount", 2);
    const keslKeyValueStr alone = storeAfter({"--bottom-line", "below"}, stored);
    EXPECT_EQ(alone.getString("bottomline1", ""), "below");
    EXPECT_EQ(alone.getString("bottomline2", ""), "below");

    const keslKeyValueStr withMessage = storeAfter({"--bottom-line", "below", "--message", "Hi"}, stored);
    EXPECT_EQ(withMessage.getString("bottomline1", ""), "below");
    EXPECT_EQ(withMessage.getString("bottomline2", "untouched"), "untouched");
}

TEST(SettingOptions, ABadValueIsRefusedWithAMessage) {
    const std::vector<std::vector<std::string>> cases = {
        {"--background", "purple"}, {"--moon", "huge"},         {"--quote-seconds", "0"},
        {"--quote-seconds", "601"}, {"--quote-seconds", "7s"},  {"--sound", "loud"},
        {"--message", ""},          {"--clock=yes"},            {"--background"},
        {"--place", "95,13"},       {"--place", "52.5"},        {"--place", "52,5,13,4"},
        {"--place", ",13.4"},       {"--place", "52.5,190"},
    };
    for (const auto& args : cases) {
        const orvanelLinuxArguments parsed = parseLinuxArguments(args, nullptr);
        EXPECT_FALSE(parsed.error.empty()) << args[0];
    }
    EXPECT_EQ(parseLinuxArguments({"--moon", "huge"}, nullptr).error, "--moon wants none|small|medium|large, not \"huge\"");
    EXPECT_NE(parseLinuxArguments({"--place", "95,13"}, nullptr).error.find("latitude from -90 to 90"), std::string::npos);
}

TEST(SettingOptions, ThePlaceOfARunIsAlsoThePlaceOfTheSkyReport) {
    const orvanelLinuxArguments report = parseLinuxArguments({"--sky-report", "--place=-33.9,151.2"}, nullptr);
    ASSERT_TRUE(report.error.empty()) << report.error;
    EXPECT_TRUE(report.options.placeGiven);
    EXPECT_DOUBLE_EQ(report.options.place.latitudeDeg, -33.9);
    EXPECT_DOUBLE_EQ(report.options.place.longitudeDeg, 151.2);
}

TEST(MonitorOrder, ThePrimaryMonitorComesFirstAndTheRegionsKeepTheDesktopsCorner) {
    // RandR lists a monitor left of the primary, the primary, and one above the primary.
    const std::vector<keslRect<int>> listed = {{100, -1280, 1280, 1024}, {0, 0, 1920, 1080}, {-900, 200, 1600, 900}};
    const std::vector<keslRect<int>> monitors = monitorsPrimaryFirst(listed, 1);
    ASSERT_EQ(monitors.size(), 3u);
    EXPECT_EQ(monitors[0], keslRect<int>(0, 0, 1920, 1080));
    EXPECT_EQ(monitors[1], keslRect<int>(100, -1280, 1280, 1024));

    const auto regions = computeDrawRegions(false, keslRect<int>(-900, -1280, 3200, 1980), monitors);
    ASSERT_EQ(regions.size(), 3u);
    EXPECT_EQ(regions[0], keslRect<int>(900, 1280, 1920, 1080));
    EXPECT_EQ(regions[1], keslRect<int>(1000, 0, 1280, 1024));
    EXPECT_EQ(regions[2], keslRect<int>(0, 1480, 1600, 900));
    EXPECT_EQ(monitorsPrimaryFirst(listed, 7), listed);
}

TEST(MonitorOrder, AScreenSmallerThanItsMonitorsKeepsOnlyTheirVisibleParts) {
    // The primary at x = 1920, 1280 wide, after the screen shrank to 2800x1080;
    // a third monitor lies wholly beyond the new edge.
    const std::vector<keslRect<int>> listed = {{0, 1920, 1280, 800}, {0, 0, 1920, 1080}, {0, 3200, 640, 480}};
    const auto shown = monitorsWithin(keslRect<int>(0, 0, 2800, 1080), listed);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], keslRect<int>(0, 1920, 880, 800));
    EXPECT_EQ(shown[1], keslRect<int>(0, 0, 1920, 1080));
}

}  // namespace
