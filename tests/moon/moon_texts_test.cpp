#include "moon/moon_event_tables.h"
#include "moon/moon_test_support.h"
#include "moon/moon_texts.h"
#include "moon/moon_time.h"
#include "support/fake_system.h"
#include "util/file_system.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using Lines = std::vector<std::string>;


TEST(MoonNames, PhaseNamesSwitchAtTheirBoundaries) {
    EXPECT_EQ(moonPhaseName(357), "Full Moon");
    EXPECT_EQ(moonPhaseName(356), "Waxing Gibbous Moon");
    EXPECT_EQ(moonPhaseName(87), "Last Quarter");
    EXPECT_EQ(moonPhaseName(86), "Waning Gibbous Moon");
    EXPECT_EQ(moonPhaseName(3), "Full Moon");
    EXPECT_EQ(moonPhaseName(4), "Waning Gibbous Moon");
    EXPECT_EQ(moonPhaseName(93), "Last Quarter");
    EXPECT_EQ(moonPhaseName(94), "Waning Crescent Moon");
    EXPECT_EQ(moonPhaseName(183), "New Moon");
    EXPECT_EQ(moonPhaseName(184), "Waxing Crescent Moon");
    EXPECT_EQ(moonPhaseName(267), "First Quarter");
    EXPECT_EQ(moonPhaseName(274), "Waxing Gibbous Moon");
    EXPECT_EQ(moonPhaseName(360), "Full Moon");
}

TEST(MoonNames, FolkNamesAndMonthsFollowTheCalendarAndReportBadIndexes) {
    EXPECT_EQ(folkMoonName(0), "Wolf Moon");
    EXPECT_EQ(folkMoonName(9), "Hunter's Moon");
    EXPECT_EQ(folkMoonName(11), "Cold Moon");
    EXPECT_EQ(folkMoonName(12), "error #528");
    EXPECT_EQ(folkMoonName(-1), "error #528");
    EXPECT_EQ(monthName(2), "March");
    EXPECT_EQ(monthName(12), "intToMonth() called with index out of 0..11");
}

TEST(MoonNames, IntToMonthShowsLocalDateAndTime) {
    FakeSystem system;
    system.utcOffsetSeconds = kHour;
    EXPECT_EQ(intToMonth(utcSecondsFromCivil(2024, 3, 7, 8, 5, 0)), "March 07, 09:05");
    EXPECT_EQ(intToMonth(utcSecondsFromCivil(2024, 12, 31, 23, 30, 0)), "January 01, 00:30");
}

// Each language orders its date and its sentences itself: the blanks land
// where its words put them, and no word stays English.
TEST(MoonNames, TranslatedWordsMakeTheLanguagesOwnDatesAndSentences) {
    FakeSystem system;
    const std::map<std::string, std::map<std::string, std::string>> languages{
        {"DE",
         {{"trn.Date and time", "{day}. {month}, {hour}:{minute}"},
          {"trn.April", "April"},
          {"trn.Next full moon on {date}", "N\xC3\xA4" "chster Vollmond am {date}"},
          {"trn.Full moon in {hours} hours", "Vollmond in {hours} Stunden"},
          {"trn.Waxing Crescent Moon", "Zunehmende Sichel"}}},
        {"FR",
         {{"trn.Date and time", "{day} {month}, {hour}:{minute}"},
          {"trn.April", "avril"},
          {"trn.Next full moon on {date}", "Prochaine pleine lune le {date}"},
          {"trn.Full moon in {hours} hours", "Pleine lune dans {hours} heures"},
          {"trn.Waxing Crescent Moon", "Premier croissant"}}},
    };
    const struct {
        const char* language;
        const char* date;
        const char* nextFullMoon;
        const char* hours;
        const char* phase;
    } cases[] = {
        {"DE", "7. April, 11:52", "N\xC3\xA4" "chster Vollmond am 7. April, 11:52", "Vollmond in 5 Stunden",
         "Zunehmende Sichel"},
        {"FR", "7 avril, 11:52", "Prochaine pleine lune le 7 avril, 11:52", "Pleine lune dans 5 heures",
         "Premier croissant"},
    };
    for (const auto& c : cases) {
        const auto& table = languages.at(c.language);
        const keslMoonWords words = moonWordsIn([&table](const std::string& key, const std::string& english) {
            const auto found = table.find(key);
            return found == table.end() ? english : found->second;
        });
        EXPECT_EQ(intToMonth(utcSecondsFromCivil(2027, 4, 7, 11, 52, 0), words), c.date);
        EXPECT_EQ(keslFileSystemMini::fillInBlank(words.nextFullMoonOn, "date", c.date), c.nextFullMoon);
        EXPECT_EQ(keslFileSystemMini::fillInBlank(words.fullMoonInHours, "hours", "5"), c.hours);
        EXPECT_EQ(moonPhaseName(200, words), c.phase);
    }
}

// Each case moves a fake fixed-offset zone so that a real table event shows
// the local wall-clock time the case is about.
struct MoonTexts : ::testing::Test {
    FakeSystem system;
    sMoonInfoLines lines;
    sMoonTextOptions options;

    void showEventAtLocal(std::int64_t event, int hour, int minute) {
        const std::int64_t utcMinuteOfDay = (event % kDay) / kMinute;
        std::int64_t offset = (hour * 60 + minute - utcMinuteOfDay) * kMinute;
        if (offset > 14 * kHour) offset -= kDay;
        if (offset < -12 * kHour) offset += kDay;
        system.utcOffsetSeconds = static_cast<long>(offset);
    }

    void fillAt(std::int64_t t) { fillFromMoonInfo(lines, moonInfoAt(t), options); }
};

TEST_F(MoonTexts, AFullMoonAtTwoTonightIsNamedDatedAndCountedDown) {
    const std::int64_t event = fullMoonAt(2);  // 9 Feb 2020
    showEventAtLocal(event, 2, 0);
    fillAt(event - 4 * kHour - 30 * kMinute);  // 21:30 the evening before

    EXPECT_EQ(lines.notableLines.lines(),
              (Lines{"Full moon tonight: \"Snow Moon\"", "Full moon on February 09, 02:00", "Full moon in 4 hours"}));
    EXPECT_EQ(lines.notableLines.currentLine(), "Full moon tonight: \"Snow Moon\"");
    EXPECT_TRUE(lines.phaseNameText.empty());
    EXPECT_FALSE(lines.nextDatesLines.hasLines());
}

TEST_F(MoonTexts, TheLastHoursBeforeAFullMoonSayNowAndNextHour) {
    const std::int64_t event = fullMoonAt(2);
    showEventAtLocal(event, 2, 0);
    fillAt(event - 30 * kMinute);
    EXPECT_EQ(lines.notableLines.lines(),
              (Lines{"Full moon tonight: \"Snow Moon\"", "Full moon on February 09, 02:00", "Full moon now!"}));

    sMoonInfoLines earlier;
    fillFromMoonInfo(earlier, moonInfoAt(event - 90 * kMinute), options);
    EXPECT_EQ(earlier.notableLines.lines().back(), "Full moon on the next hour!");
}

TEST_F(MoonTexts, FiveHoursAfterTonightsFullMoonCountsTheHoursSince) {
    const std::int64_t event = fullMoonAt(6);  // 5 Jun 2020 19:12 UTC
    showEventAtLocal(event, 1, 0);
    fillAt(event + 5 * kHour);

    EXPECT_EQ(lines.notableLines.lines(),
              (Lines{"Full moon tonight: \"Strawberry Moon\"", "Full moon on June 06, 01:00", "Full moon was 5 hours ago"}));
}

TEST_F(MoonTexts, AFullMoonTheNightAfterIsAnnouncedForTomorrow) {
    const std::int64_t event = fullMoonAt(2);
    showEventAtLocal(event, 2, 0);
    fillAt(event - kDay - 4 * kHour);  // 22:00 two evenings before

    EXPECT_EQ(lines.notableLines.lines(), (Lines{"Full moon tomorrow: \"Snow Moon\"", "Full moon on February 09, 02:00"}));
}

TEST_F(MoonTexts, NewMoonsTonightAndTomorrowAreAnnouncedWithTheirDate) {
    const std::int64_t event = newMoonAt(20);  // 8 Aug 2021
    showEventAtLocal(event, 2, 0);
    fillAt(event - 6 * kHour);
    EXPECT_EQ(lines.notableLines.lines(), (Lines{"New moon tonight", "New moon on August 08, 02:00"}));

    sMoonInfoLines dayBefore;
    fillFromMoonInfo(dayBefore, moonInfoAt(event - kDay - 6 * kHour), options);
    EXPECT_EQ(dayBefore.notableLines.lines(), (Lines{"New moon tomorrow", "New moon on August 08, 02:00"}));
}

TEST_F(MoonTexts, AQuietMomentShowsThePhaseNameNextDatesAndPhaseLines) {
    const std::int64_t t = fullMoonAt(2) + 7 * kDay;  // UTC: 16 Feb 2020
    const cMoonInfo info = moonInfoAt(t);
    fillFromMoonInfo(lines, info, options);

    EXPECT_FALSE(lines.notableLines.hasLines());
    EXPECT_EQ(lines.phaseNameText, moonPhaseName(info.m_results.moonPhaseDegrees));
    EXPECT_FALSE(lines.phaseNameText.empty());
    EXPECT_EQ(lines.nextDatesLines.lines(),
              (Lines{"Next full moon on March 09, 17:48", "Next new moon on February 23, 15:32"}));
    EXPECT_EQ(lines.phaseLines.lines(),
              (Lines{"Phase (degrees):" + std::to_string(info.m_results.moonPhaseDegrees),
                     "Phase (percent):" + info.m_results.moonPhasePercentText}));
}

TEST_F(MoonTexts, ANewMoonThisMorningCountsHoursAndSuppressesNextDates) {
    const std::int64_t event = newMoonAt(30);
    showEventAtLocal(event, 3, 0);
    fillAt(event + 10 * kHour);  // 13:00 the same day: its night was the previous one

    EXPECT_EQ(lines.notableLines.lines(), (Lines{"New moon was 10 hours ago"}));
    EXPECT_FALSE(lines.phaseNameText.empty());
    EXPECT_EQ(lines.phaseNameText, moonPhaseName(moonInfoAt(event + 10 * kHour).m_results.moonPhaseDegrees));
    EXPECT_FALSE(lines.nextDatesLines.hasLines());
    EXPECT_TRUE(lines.phaseLines.hasLines());
}

TEST_F(MoonTexts, ANewMoonJustBeforeSevenWasOneHourAgo) {
    const std::int64_t event = newMoonAt(30);
    showEventAtLocal(event, 6, 30);
    fillAt(event + kHour + 5 * kMinute);  // 07:35: a new day's night, the moon's was the previous one

    EXPECT_EQ(lines.notableLines.lines(), (Lines{"New moon was one hour ago"}));
}

TEST_F(MoonTexts, SettingsTurnTheirLinesOff) {
    options.showMoonPhaseName = false;
    options.showNotableDates = false;
    options.showMoonPhasePercentAndDegrees = false;
    fillAt(fullMoonAt(2) + 7 * kDay);

    EXPECT_TRUE(lines.phaseNameText.empty());
    EXPECT_FALSE(lines.nextDatesLines.hasLines());
    EXPECT_FALSE(lines.phaseLines.hasLines());
    EXPECT_FALSE(lines.notableLines.hasLines());
}

#ifndef _WIN32
// In real zones the daylight-saving entries keep their UTC instant: the local
// reading is the table's UTC time plus the summer offset, not an hour less.
struct MoonTextsInRealZones : ::testing::Test {
    sMoonInfoLines lines;
    sMoonTextOptions options;

    void fillAtLocal(const char* zone, int year, int month, int day, int hour, int minute) {
        ScopedTimeZone scoped(zone);
        fillFromMoonInfo(lines, moonInfoAt(instantOfLocal(year, month, day, hour, minute)), options);
    }
};

TEST_F(MoonTextsInRealZones, SydneySummerFullMoon) {
    fillAtLocal("Australia/Sydney", 2020, 1, 10, 21, 30);  // full moon 10 Jan 2020 19:21 UTC
    EXPECT_EQ(lines.notableLines.lines(),
              (Lines{"Full moon tonight: \"Wolf Moon\"", "Full moon on January 11, 06:21", "Full moon in 8 hours"}));
}

TEST_F(MoonTextsInRealZones, BerlinSummerFullMoon) {
    fillAtLocal("Europe/Berlin", 2020, 7, 4, 21, 30);  // full moon 5 Jul 2020 04:44 UTC
    EXPECT_EQ(lines.notableLines.lines(),
              (Lines{"Full moon tonight: \"Buck Moon\"", "Full moon on July 05, 06:44", "Full moon in 9 hours"}));
}

TEST_F(MoonTextsInRealZones, NewYorkSummerFullMoonEarlierToday) {
    fillAtLocal("America/New_York", 2024, 8, 19, 21, 30);  // full moon 19 Aug 2024 18:26 UTC
    EXPECT_EQ(lines.notableLines.lines(), (Lines{"Full moon tonight: \"Sturgeon Moon\"", "Full moon on August 19, 14:26",
                                                 "Full moon was 7 hours ago"}));
}

TEST_F(MoonTextsInRealZones, KolkataNewMoonTomorrow) {
    fillAtLocal("Asia/Kolkata", 2024, 8, 3, 21, 30);  // new moon 4 Aug 2024 11:13 UTC
    EXPECT_EQ(lines.notableLines.lines(), (Lines{"New moon tomorrow", "New moon on August 04, 16:43"}));
}
#endif

}  // namespace
