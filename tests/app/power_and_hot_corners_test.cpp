#include "app/hot_corners.h"
#include "app/prevent_computer_sleep.h"
#include "settings/key_value.h"
#include "support/fake_system.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::int64_t kNowMinutes = 1'700'000'000 / 60;
constexpr int kTicksPerCheck = 1476;

struct KeepAwake : ::testing::Test {
    FakeSystem system;
    keslKeyValueStr settings;

    void SetUp() override { system.now = static_cast<std::time_t>(kNowMinutes * 60); }
    void keepUntil(std::int64_t minutes) { settings.setInt64("preventComputerSleepUntilUTCtime_inMinutes", minutes); }
    void permanently(bool on) { settings.setBool("preventComputerSleep_permanently", on); }
    static void tick(cPreventComputerSleep& keepAwake, int times) {
        for (int i = 0; i < times; ++i) keepAwake.checkOnTick();
    }
};

TEST_F(KeepAwake, AMomentNeverSetRequestsNothingAndLogsOnlyTheQuery) {
    LogCapture log;
    {
        cPreventComputerSleep keepAwake(settings);
        EXPECT_FALSE(keepAwake.isActive());
    }
    EXPECT_TRUE(system.keepAwakeRequests.empty());
    EXPECT_TRUE(log.contains("getRemainingTime_inMin, currentTime=28333333, preventSleepUntilTime=0, diff=-28333333 minutes"));
    EXPECT_FALSE(log.contains("cPreventComputerSleep calls"));
}

TEST_F(KeepAwake, OneMinuteAheadIsKeptUntilTheFirstCheckThatFindsNoTimeLeft) {
    keepUntil(kNowMinutes + 1);
    cPreventComputerSleep keepAwake(settings);
    EXPECT_EQ(system.keepAwakeRequests, std::vector<bool>{true});

    tick(keepAwake, kTicksPerCheck);  // a minute left: kept
    EXPECT_TRUE(keepAwake.isActive());
    system.now += 60;
    tick(keepAwake, kTicksPerCheck - 1);  // no check before the 1476th tick
    EXPECT_TRUE(keepAwake.isActive());
    tick(keepAwake, 1);
    EXPECT_FALSE(keepAwake.isActive());
    EXPECT_EQ(system.keepAwakeRequests, (std::vector<bool>{true, false}));
}

TEST_F(KeepAwake, PermanentlyOnKeepsAwakeWhateverTheMomentUntilTheEnd) {
    keepUntil(kNowMinutes - 500);
    permanently(true);
    {
        cPreventComputerSleep keepAwake(settings);
        EXPECT_EQ(keepAwake.getRemainingTime_inMin(), 19999);
        system.now += 24 * 3600;
        tick(keepAwake, 3 * kTicksPerCheck);
        EXPECT_TRUE(keepAwake.isActive());
        EXPECT_EQ(system.keepAwakeRequests, std::vector<bool>{true});
    }
    EXPECT_EQ(system.keepAwakeRequests, (std::vector<bool>{true, false}));
}

TEST_F(KeepAwake, ARefusedRequestIsLoggedAndNeverReleased) {
    keepUntil(kNowMinutes + 30);
    system.keepAwakeGranted = false;
    LogCapture log;
    {
        cPreventComputerSleep keepAwake(settings);
        EXPECT_FALSE(keepAwake.isActive());
    }
    EXPECT_EQ(system.keepAwakeRequests, std::vector<bool>{true});
    EXPECT_TRUE(log.contains("cPreventComputerSleep preventIdleSleep() failed"));
}

TEST_F(KeepAwake, ThePowerPageStoresMinutesFromNowOrPermanently) {
    cPowerSettings power(settings);
    power.storeKeepAwakeMinutes(30);
    EXPECT_EQ(settings.getInt64("preventComputerSleepUntilUTCtime_inMinutes", 0), kNowMinutes + 30);
    EXPECT_FALSE(settings.getBool("preventComputerSleep_permanently", true));

    power.storeKeepAwakeMinutes(19999);
    EXPECT_TRUE(settings.getBool("preventComputerSleep_permanently", false));
    EXPECT_EQ(settings.getInt64("preventComputerSleepUntilUTCtime_inMinutes", 0), kNowMinutes + 30);
}

TEST(HotCorners, ACornerMatchesWithinSixtyFourPixelsAndTheFarEdgeInclusive) {
    struct Case {
        const char* armed;
        long x, y;
        bool matches;
    };
    const Case cases[] = {
        {"hotcorner_BR", 1919, 1079, true},  {"hotcorner_BR", 1920, 1080, true}, {"hotcorner_BR", 1856, 1079, false},
        {"hotcorner_BR", 1857, 1017, true},  {"hotcorner_BR", 1857, 1016, false}, {"hotcorner_TL", 63, 63, true},
        {"hotcorner_TL", 64, 0, false},      {"hotcorner_TL", -1, 0, false},     {"hotcorner_TR", 1857, 0, true},
        {"hotcorner_TR", 1856, 0, false},    {"hotcorner_BL", 0, 1080, true},    {"hotcorner_BL", 0, 1016, false},
        {"hotcorner_TL", 1919, 1079, false},
    };
    const keslRect<int> region(0, 0, 1920, 1080);
    for (const Case& c : cases) {
        keslKeyValueStr settings;
        settings.setBool(c.armed, true);
        EXPECT_EQ(isCursorInArmedCorner(cHotCornerSettings(settings), region, {c.x, c.y}), c.matches)
            << c.armed << " at " << c.x << "," << c.y;
    }
}

TEST(HotCorners, NothingArmedOrNoCursorNeverMatches) {
    keslKeyValueStr settings;
    EXPECT_FALSE(isCursorInArmedCorner(cHotCornerSettings(settings), keslRect<int>(0, 0, 1920, 1080), {0, 0}));
    FakeSystem system;  // no cursor to read
    EXPECT_FALSE(isCursorInHotCorner(keslRect<int>(0, 0, 1920, 1080)));
}

}  // namespace
