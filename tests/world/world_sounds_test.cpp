#include "platform/test_window.h"
#include "settings/key_value.h"
#include "support/fake_system.h"
#include "world/world.h"
#include "world/world_sounds.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Calls = std::vector<FakeSystem::SoundCall>;
constexpr int kStop = FakeSystem::kStop;
constexpr float kTick = 0.04f;

// Seconds since the epoch of a local time on 2 January 1970 (the fake's zone is UTC).
std::time_t at(int hour, int minute) { return 86400 + hour * 3600 + minute * 60; }

void tick(cWorldSounds& sounds, int ticks) {
    for (int i = 0; i < ticks; ++i) sounds.update(kTick);
}

struct ChimeCase {
    int fromHour, fromMinute, toHour, toMinute;
    Calls expected;
};

TEST(WorldSounds, ChimesOnlyWhenMinute59TurnsToAFullHourWithTheRoosterFrom7To9) {
    const std::vector<ChimeCase> cases = {
        {6, 59, 7, 0, {{kStop, false}, {kStop, false}, {114, false}}},
        {9, 59, 10, 0, {{kStop, false}, {kStop, false}, {111, false}}},
        {8, 59, 9, 0, {{kStop, false}, {kStop, false}, {114, false}}},
        {23, 59, 0, 0, {{kStop, false}, {kStop, false}, {111, false}}},
        {10, 30, 10, 31, {}},
        {10, 0, 10, 0, {}},
    };
    for (const ChimeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fromHour << ":" << c.fromMinute << " -> " << c.toHour << ":" << c.toMinute);
        FakeSystem system;
        keslKeyValueStr settings;
        float countdownSpent = 0.0f;
        cWorldSounds sounds(settings, countdownSpent);
        system.now = at(c.fromHour, c.fromMinute);
        tick(sounds, 38);
        system.now = at(c.toHour, c.toMinute);
        tick(sounds, 38);
        EXPECT_EQ(system.sounds, c.expected);
    }
}

TEST(WorldSounds, LooksAtTheClockEvery38TicksAndNotAtAllWithTheChimeOff) {
    FakeSystem system;
    keslKeyValueStr settings;
    float countdownSpent = 0.0f;
    cWorldSounds sounds(settings, countdownSpent);
    tick(sounds, 37);
    EXPECT_EQ(system.clockLooks, 0);
    tick(sounds, 1);
    EXPECT_EQ(system.clockLooks, 1);
    tick(sounds, 38);
    EXPECT_EQ(system.clockLooks, 2);

    settings.setBool("snd_cuckooEveryHour", false);
    system.now = at(6, 59);
    tick(sounds, 38);
    system.now = at(7, 0);
    tick(sounds, 200);
    EXPECT_EQ(system.clockLooks, 2);
    EXPECT_TRUE(system.sounds.empty());
}

struct StartupCase {
    int selected;
    bool loop;
    Calls expected;
};

TEST(WorldSounds, StartsTheChosenSoundOnce38TicksIn) {
    const std::vector<StartupCase> cases = {
        {3, true, {{kStop, false}, {4, true}}},   {4, false, {{kStop, false}, {117, false}}},
        {1, false, {{kStop, false}, {116, false}}}, {6, true, {{kStop, false}, {112, true}}},
        {0, true, {{kStop, false}}},               {9, false, {{kStop, false}}},
        {-1, false, {{kStop, false}}},
    };
    for (const StartupCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "snd_selectedSound " << c.selected << " loop " << c.loop);
        FakeSystem system;
        keslKeyValueStr settings;
        settings.setInt("snd_selectedSound", c.selected);
        settings.setBool("snd_loopSound", c.loop);
        settings.setBool("snd_cuckooEveryHour", false);
        float countdown = 1.5f;
        cWorldSounds sounds(settings, countdown);
        tick(sounds, 37);
        EXPECT_TRUE(system.sounds.empty());
        tick(sounds, 1);
        EXPECT_EQ(system.sounds, c.expected);
        tick(sounds, 500);
        EXPECT_EQ(system.sounds, c.expected);

        // A second sky in the same process stays quiet.
        system.sounds.clear();
        cWorldSounds secondRun(settings, countdown);
        tick(secondRun, 100);
        EXPECT_TRUE(system.sounds.empty());
    }
}

TEST(WorldSounds, TheChimeStopsALoopingSoundForGood) {
    FakeSystem system;
    keslKeyValueStr settings;
    settings.setInt("snd_selectedSound", 3);
    settings.setBool("snd_loopSound", true);
    float countdown = 1.5f;
    cWorldSounds sounds(settings, countdown);
    system.now = at(21, 59);
    tick(sounds, 38);
    system.now = at(22, 0);
    tick(sounds, 1000);
    const Calls expected = {{kStop, false}, {4, true}, {kStop, false}, {kStop, false}, {111, false}};
    EXPECT_EQ(system.sounds, expected);
}

TEST(WorldSounds, APreviewHasNoSoundsAndAFullScreenSkySilencesItsSoundWhenDestroyed) {
    FakeSystem system;
    auto test = makeTestWindow(320, 200);
    const keslRect<int> main(0, 0, 320, 200);
    {
        TorvanelWorld preview(&test->window(), true, main, 320L * 200, "");
        EXPECT_EQ(preview.getSoundSettings(), nullptr);
        system.now = at(6, 59);
        for (int i = 0; i < 40; ++i) preview.update(kTick);
        system.now = at(7, 0);
        for (int i = 0; i < 40; ++i) preview.update(kTick);
    }
    EXPECT_TRUE(system.sounds.empty());

    {
        TorvanelWorld sky(&test->window(), false, main, 320L * 200, "");
        EXPECT_NE(sky.getSoundSettings(), nullptr);
        system.sounds.clear();
    }
    const Calls stopped = {{kStop, false}};
    EXPECT_EQ(system.sounds, stopped);
}

}  // namespace
