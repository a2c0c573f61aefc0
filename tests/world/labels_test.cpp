#include "moon/moon_test_support.h"
#include "platform/test_window.h"
#include "support/fake_system.h"
#include "world/clock_sprite.h"
#include "world/frame_rate_sprite.h"
#include "world/moon_info_sprite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// 24 November 2026, 08:07:09 UTC.
constexpr std::time_t kMorning = 1795507629;

std::string firstCharacter(const std::string& line) { return line.substr(0, 1); }

TEST(MoonInfoLabel, WithoutANoticeTheTextStartsWithThePhaseNameAndTypesTheOtherLines) {
    FakeSystem system;
    cMoonInfoSprite label;
    label.fillFrom(moonInfoAt(fullMoonAt(2) + 7 * kDay), sMoonTextOptions());
    const sMoonInfoLines& lines = label.lines();
    ASSERT_FALSE(lines.notableLines.hasLines());
    ASSERT_FALSE(lines.phaseNameText.empty());
    const std::string phaseLine = lines.phaseLines.currentLine();
    const std::string datesLine = lines.nextDatesLines.currentLine();

    label.update(0.04f);
    EXPECT_EQ(label.getText(), lines.phaseNameText + "\n" + firstCharacter(phaseLine) + "\n" + firstCharacter(datesLine));

    for (int i = 0; i < 60; ++i) label.update(0.04f);
    const std::string typedOut = lines.phaseNameText + "\n" + phaseLine + "\n" + datesLine;
    EXPECT_EQ(label.getText(), typedOut);

    // Past four seconds both lists move on and the next lines are typed over the old ones.
    // (A 32-bit build counts 39 ms for a 0.04 s step, so allow a few frames more.)
    for (int i = 0; i < 50; ++i) label.update(0.04f);
    EXPECT_NE(lines.phaseLines.currentLine(), phaseLine);
    EXPECT_NE(lines.nextDatesLines.currentLine(), datesLine);
    for (int i = 0; i < 60; ++i) label.update(0.04f);
    EXPECT_EQ(label.getText(), lines.phaseNameText + "\n" + lines.phaseLines.currentLine() + "\n" +
                                   lines.nextDatesLines.currentLine());
}

// A new moon before dawn, asked that afternoon: its night was the last one, so
// nothing is imminent and the phase name shows, under the notable line.
TEST(MoonInfoLabel, ANotableLineComesFirstThenThePhaseNameThenThePhaseLines) {
    FakeSystem system;
    std::size_t chosen = kMoonEventsPerTable;
    for (std::size_t i = 0; i < kMoonEventsPerTable && chosen == kMoonEventsPerTable; ++i) {
        if (localWallTimeOf(newMoonAt(i)).hour < 5) chosen = i;
    }
    ASSERT_LT(chosen, kMoonEventsPerTable) << "no new moon before 05:00";
    cMoonInfoSprite label;
    label.fillFrom(moonInfoAt(newMoonAt(chosen) + 10 * kHour), sMoonTextOptions());
    const sMoonInfoLines& lines = label.lines();
    ASSERT_FALSE(lines.phaseNameText.empty());
    EXPECT_FALSE(lines.nextDatesLines.hasLines()) << "a notable line leaves out the next dates";

    for (int i = 0; i < 60; ++i) label.update(0.04f);
    EXPECT_EQ(label.getText(), "New moon was 10 hours ago\n" + lines.phaseNameText + "\n" +
                                   lines.phaseLines.currentLine());
    EXPECT_EQ(lines.phaseLines.currentLine().rfind("Phase (degrees):", 0), 0u);
}

TEST(MoonInfoLabel, IsPaleGreenElevenPointsAndCentred) {
    const cMoonInfoSprite label;
    EXPECT_STREQ(label.getName(), "moonInfoLabel");
    EXPECT_EQ(*label.textParams.color, 0xAFEEBBFFu);
    EXPECT_FLOAT_EQ(*label.textParams.fontSize, 11.0f);
    EXPECT_EQ(*label.textParams.alignment, 3);
}

struct ClockAt : ::testing::Test {
    FakeSystem system;
    keslKeyValue store;
    cClockSettings settings{store};

    void SetUp() override { system.now = kMorning; }

    // The text after the fourth update, the first that formats the time.
    std::string textAfterFourUpdates() {
        cClockSprite clock(store);
        for (int i = 0; i < 4; ++i) clock.update(0.04f);
        EXPECT_EQ(clock.getLastFormattingTime(), kMorning);
        return clock.getText();
    }
};

// Six formattings a second would write the same text; finding the local time is not free.
TEST_F(ClockAt, LooksUpTheLocalTimeOnlyWhenTheSecondChanges) {
    settings.format24H.set(false);
    settings.showSeconds.set(true);
    cClockSprite clock(store);
    for (int i = 0; i < 25; ++i) clock.update(0.04f);
    EXPECT_EQ(system.localTimeLooks, 1);
    EXPECT_EQ(clock.getText(), "8:07:09 AM");

    system.now = kMorning + 1;
    for (int i = 0; i < 4; ++i) clock.update(0.04f);
    EXPECT_EQ(system.localTimeLooks, 2);
    EXPECT_EQ(clock.getText(), "8:07:10 AM");
}

TEST_F(ClockAt, EightOhSevenReadsInEachOfTheFourFormats) {
    struct Case {
        bool format24H;
        bool showSeconds;
        const char* text;
    };
    const Case cases[] = {
        {false, true, "8:07:09 AM"},
        {false, false, "8:07 AM"},
        {true, true, "08:07:09"},
        {true, false, "08:07"},
    };
    for (const Case& c : cases) {
        settings.format24H.set(c.format24H);
        settings.showSeconds.set(c.showSeconds);
        EXPECT_EQ(textAfterFourUpdates(), c.text);
    }
}

// Only a leading zero goes: the hours 10 to 12 keep both digits, noon is PM
// and midnight 12 AM.
TEST_F(ClockAt, TwelveHourTimesDropOnlyALeadingZero) {
    constexpr std::time_t kMidnight = kMorning - (8 * 3600 + 7 * 60 + 9);
    const struct {
        int hour;
        const char* text;
    } cases[] = {
        {0, "12:07 AM"}, {9, "9:07 AM"}, {10, "10:07 AM"}, {11, "11:07 AM"},
        {12, "12:07 PM"}, {13, "1:07 PM"}, {22, "10:07 PM"}, {23, "11:07 PM"},
    };
    settings.format24H.set(false);
    settings.showSeconds.set(false);
    for (const auto& c : cases) {
        system.now = kMidnight + c.hour * 3600 + 7 * 60;
        cClockSprite clock(store);
        for (int i = 0; i < 4; ++i) clock.update(0.04f);
        EXPECT_EQ(clock.getText(), c.text) << c.hour;
    }
}

// A placeholder "00:00" stood in the first frames of every run.
TEST_F(ClockAt, ItShowsTheTimeFromItsFirstFrameAndTakesItsSizeAndColourFromTheSettings) {
    settings.fontSize.set("48");
    settings.color.set(0x12345600u);
    settings.format24H.set(true);
    settings.showSeconds.set(false);
    cClockSprite clock(store);
    EXPECT_EQ(clock.getText(), "08:07");
    EXPECT_FLOAT_EQ(*clock.textParams.fontSize, 48.0f);
    EXPECT_EQ(*clock.textParams.color, 0x12345600u);
    for (int i = 0; i < 3; ++i) clock.update(0.04f);
    EXPECT_EQ(clock.getText(), "08:07");
    EXPECT_EQ(system.localTimeLooks, 1);
}

TEST_F(ClockAt, ItDriftsAtTheChosenSpeedAndAtOnePixelForAnUnofferedOne) {
    struct Case {
        const char* stored;
        float pixelsPerSecond;
    };
    const Case cases[] = {{"7", 1.0f}, {"abc", 1.0f}, {"0.5", 0.5f}, {"100", 100.0f}, {"0", 0.0f}};
    for (const Case& c : cases) {
        settings.speed.set(c.stored);
        const cClockSprite clock(store);
        EXPECT_NEAR(std::hypot(clock.speedX, clock.speedY), c.pixelsPerSecond, 1e-4f) << c.stored;
    }
}

TEST_F(ClockAt, SwitchedOffItIsDisabledAndNeverFormats) {
    settings.showClock.set(false);
    cClockSprite clock(store);
    for (int i = 0; i < 8; ++i) clock.update(0.04f);
    EXPECT_FALSE(clock.isVisible());
    EXPECT_EQ(clock.getUpdateCounter(), 0u);
}

TEST_F(ClockAt, TheAutomaticColourMovesATenthOfTheWayEveryFourteenthUpdateToATargetDrawnEveryThreeHundredth) {
    settings.color.set(0x000000FFu);
    cClockSprite clock(store);
    for (int i = 0; i < 299; ++i) clock.update(0.04f);
    // The target was the clock's own colour, so nothing has moved yet.
    EXPECT_EQ(*clock.textParams.color, 0x000000FFu);
    EXPECT_EQ(clock.getTargetColor(), 0x000000FFu);

    clock.update(0.04f);  // 300th
    const keslColor target = clock.getTargetColor();
    ASSERT_NE(target, 0x000000FFu);
    keslColor before = *clock.textParams.color;
    for (std::uint32_t n = 301; n <= 599; ++n) {
        clock.update(0.04f);
        const keslColor now = *clock.textParams.color;
        ASSERT_EQ(clock.getTargetColor(), target) << "update " << n;
        if (n % 14 != 0) {
            ASSERT_EQ(now, before) << "update " << n;
            continue;
        }
        for (int shift : {24, 16, 8}) {
            const int from = static_cast<int>((before >> shift) & 0xFF);
            const int to = static_cast<int>((target >> shift) & 0xFF);
            const int got = static_cast<int>((now >> shift) & 0xFF);
            // Both shares are truncated, so up to two steps may be lost.
            EXPECT_NEAR(got, from + (to - from) * 0.1, 2.0) << "update " << n << " channel " << shift;
        }
        EXPECT_EQ(now & 0xFFu, 0xFFu);
        before = now;
    }
    clock.update(0.04f);  // 600th
    EXPECT_NE(clock.getTargetColor(), target);
}

TEST(ClockColour, RandomColoursAreAlwaysBright) {
    for (int i = 0; i < 500; ++i) {
        const keslColor c = randomClockColor();
        const double length = std::sqrt(double(colorRed(c)) * colorRed(c) + double(colorGreen(c)) * colorGreen(c) +
                                        double(colorBlue(c)) * colorBlue(c));
        ASSERT_GT(length, 247.0) << std::hex << c;
        ASSERT_LE(length, 250.0) << std::hex << c;
        ASSERT_EQ(colorAlpha(c), 0xFF);
    }
}

TEST(FrameRateLabel, ReportsTheRateOfEveryHundredUpdates) {
    FakeSystem system;
    cFrameRateSprite label;
    EXPECT_EQ(label.getText(), "frame rate (wait...)");
    EXPECT_FLOAT_EQ(*label.textParams.fontSize, 18.0f);
    EXPECT_EQ(*label.textParams.color, 0x808080FFu);

    system.monotonic += 2.0;
    for (int i = 0; i < 99; ++i) label.update(0.04f);
    EXPECT_EQ(label.getText(), "frame rate (wait...)");
    label.update(0.04f);
    EXPECT_EQ(label.getFramesPerSecond(), 50);
    const std::string text = label.getText();
    EXPECT_EQ(text.rfind("frame rate:\n50 frames/sec\n20 msec per frame\nBuild:", 0), 0u) << text;

    system.monotonic += 3.0;
    label.setExtraText("\nextra");
    for (int i = 0; i < 100; ++i) label.update(0.04f);
    EXPECT_EQ(label.getText().rfind("frame rate:\n33 frames/sec\n30.303 msec per frame\nBuild:", 0), 0u);
    EXPECT_EQ(label.getText().substr(label.getText().size() - 6), "\nextra");

    // A stopwatch that did not move has no rate: the last report stays.
    const std::string lastReport = label.getText();
    for (int i = 0; i < 100; ++i) label.update(0.04f);
    EXPECT_EQ(label.getText(), lastReport);
    EXPECT_EQ(label.getFramesPerSecond(), 33);
}

}  // namespace
