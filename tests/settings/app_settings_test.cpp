#include "settings/app_settings.h"
#include "settings/sound_table.h"

#include <gtest/gtest.h>

namespace {

TEST(ApplicationSettings, AnEmptyStoreGivesEveryDefault) {
    keslKeyValue store;
    const cGeneralSettings general(store);
    EXPECT_EQ(general.interfaceLang.get(), "EN");
    EXPECT_EQ(general.activeDialogTab.get(), 0);
    EXPECT_EQ(general.startupEffect.get(), 0);
    EXPECT_EQ(general.background.get(), 3);
    EXPECT_TRUE(general.telemetryConsent.get());

    const cMoonSettings moon(store);
    EXPECT_EQ(moon.moonSize.get(), 300);
    EXPECT_TRUE(moon.showMoon.get());
    EXPECT_FALSE(moon.fromSouthHemisphere.get());
    EXPECT_TRUE(moon.showPhasePercentAndDegrees.get());
    EXPECT_TRUE(moon.showPhaseName.get());
    EXPECT_TRUE(moon.showNotableDates.get());

    const cHotCornerSettings corners(store);
    EXPECT_FALSE(corners.topLeft.get() || corners.topRight.get() || corners.bottomLeft.get() ||
                 corners.bottomRight.get());

    const cPowerSettings power(store);
    EXPECT_EQ(power.preventSleepUntilUtcMinutes.get(), 0);
    EXPECT_FALSE(power.preventSleepPermanently.get());

    const cSoundSettings sounds(store);
    EXPECT_EQ(sounds.selectedSound.get(), 0);
    EXPECT_FALSE(sounds.loopSound.get());
    EXPECT_TRUE(sounds.cuckooEveryHour.get());

    const cQuoteSettings quotes(store);
    EXPECT_TRUE(quotes.love.get() && quotes.wisdom.get() && quotes.advice.get() && quotes.funny.get() &&
                quotes.womenVsMen.get() && quotes.peace.get());
    EXPECT_FALSE(quotes.userQuotes.get());
    EXPECT_EQ(quotes.durationInSec.get(), 7);

    const cClockSettings clock(store);
    EXPECT_TRUE(clock.showClock.get());
    EXPECT_FALSE(clock.format24H.get());
    EXPECT_TRUE(clock.showSeconds.get());
    EXPECT_TRUE(clock.autoColor.get());
    EXPECT_EQ(clock.fontSize.get(), "30");
    EXPECT_EQ(clock.speed.get(), "1");
    EXPECT_EQ(clock.color.get(), 0x808080FFu);
    EXPECT_TRUE(store.entries().empty());
}

TEST(ApplicationSettings, ValuesAreStoredUnderTheirFileKeysInTheirTextForms) {
    keslKeyValue store;
    cPowerSettings power(store);
    power.preventSleepUntilUtcMinutes.set(28'333'333'333LL);
    power.preventSleepPermanently.set(true);
    cQuoteSettings quotes(store);
    quotes.womenVsMen.set(false);
    cClockSettings clock(store);
    clock.color.set(0x808080FFu);
    clock.speed.set("0.5");
    EXPECT_EQ(store.entries(), (keslKeyValueMap{
                                   {"clockColor", "-2139062017"},
                                   {"clockSpeed", "0.5"},
                                   {"preventComputerSleepUntilUTCtime_inMinutes", "28333333333"},
                                   {"preventComputerSleep_permanently", "yes"},
                                   {"showQuotes_WomenVSMen", "no"},
                               }));
}

TEST(ApplicationSettings, EachGroupReadsWhatAnotherGroupWrote) {
    keslKeyValue store;
    cMoonSettings sheet(store);
    const cMoonSettings world(store);
    sheet.moonSize.set(100);
    EXPECT_EQ(world.moonSize.get(), 100);
}

TEST(ApplicationSettings, ClockColourMinusOneIsOpaqueWhite) {
    keslKeyValue store;
    store.setString("clockColor", "-1");
    const std::uint32_t color = cClockSettings(store).color.get();
    EXPECT_EQ(color, 0xFFFFFFFFu);
    EXPECT_EQ(color & 0xFFu, 0xFFu);
}

TEST(ApplicationSettings, ClockTextSettingsReadAsNumbersWithFallbacks) {
    keslKeyValue store;
    cClockSettings clock(store);
    EXPECT_EQ(clock.fontSizePixels(), 30);
    EXPECT_FLOAT_EQ(clock.speedPixelsPerSecond(), 1.0f);
    clock.fontSize.set("48");
    clock.speed.set("0.2");
    EXPECT_EQ(clock.fontSizePixels(), 48);
    EXPECT_FLOAT_EQ(clock.speedPixelsPerSecond(), 0.2f);
    clock.fontSize.set("big");
    clock.speed.set("fast");
    EXPECT_EQ(clock.fontSizePixels(), 30);
    EXPECT_FLOAT_EQ(clock.speedPixelsPerSecond(), 1.0f);
    // A number the sheet does not offer is not a speed either.
    clock.speed.set("7");
    EXPECT_FLOAT_EQ(clock.speedPixelsPerSecond(), 1.0f);
    clock.speed.set("100");
    EXPECT_FLOAT_EQ(clock.speedPixelsPerSecond(), 100.0f);
}

TEST(SoundTable, ChoicesPlayTheirWaveResourcesAndUnknownValuesAreSilent) {
    EXPECT_EQ(waveOfSoundChoice(0), kNoWave);
    EXPECT_EQ(waveOfSoundChoice(1), 116);
    EXPECT_EQ(waveOfSoundChoice(3), 4);
    EXPECT_EQ(waveOfSoundChoice(6), 112);
    EXPECT_EQ(waveOfSoundChoice(7), kNoWave);
    EXPECT_EQ(waveOfSoundChoice(-1), kNoWave);
}

TEST(SoundTable, TheRoosterCrowsFromSevenToNine) {
    EXPECT_EQ(hourlyChimeWave(6), kCuckooWave);
    EXPECT_EQ(hourlyChimeWave(7), kRoosterWave);
    EXPECT_EQ(hourlyChimeWave(9), kRoosterWave);
    EXPECT_EQ(hourlyChimeWave(10), kCuckooWave);
    EXPECT_EQ(hourlyChimeWave(0), kCuckooWave);
}

}  // namespace
