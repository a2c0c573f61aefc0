#include "moon/moon_event_tables.h"
#include "moon/moon_time.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t kDay = 86400;

bool sameEntry(const sMoonEventUTC& e, int day, int month, int year, int hour, int minute) {
    return e.day == day && e.month == month && e.year == year && e.hour == hour && e.minute == minute;
}

TEST(MoonTables, FullMoonsBeginAndEndAtThePublishedInstants) {
    const auto& t = fullMoonTimesUTC;
    EXPECT_TRUE(sameEntry(t[0], 12, 12, 2019, 5, 12));
    EXPECT_TRUE(sameEntry(t[1], 10, 1, 2020, 19, 21));
    EXPECT_TRUE(sameEntry(t[2], 9, 2, 2020, 7, 33));
    EXPECT_TRUE(sameEntry(t[3], 9, 3, 2020, 17, 48));
    EXPECT_TRUE(sameEntry(t[134], 11, 10, 2030, 10, 47));
    EXPECT_TRUE(sameEntry(t[135], 10, 11, 2030, 3, 30));
    EXPECT_TRUE(sameEntry(t[136], 9, 12, 2030, 22, 40));
}

TEST(MoonTables, NewMoonsBeginAndEndAtThePublishedInstants) {
    const auto& t = newMoonTimesUTC;
    EXPECT_TRUE(sameEntry(t[0], 26, 12, 2019, 5, 13));
    EXPECT_TRUE(sameEntry(t[1], 24, 1, 2020, 21, 42));
    EXPECT_TRUE(sameEntry(t[2], 23, 2, 2020, 15, 32));
    EXPECT_TRUE(sameEntry(t[134], 26, 10, 2030, 20, 17));
    EXPECT_TRUE(sameEntry(t[135], 25, 11, 2030, 6, 46));
    EXPECT_TRUE(sameEntry(t[136], 24, 12, 2030, 17, 32));
}

// A mistyped or misplaced row shows up as a lunation of the wrong length or
// as two full moons without a new moon between them.
TEST(MoonTables, PhasesAlternateOneLunationApart) {
    for (std::size_t i = 0; i < kMoonEventsPerTable; ++i) {
        const std::int64_t full = moonEventToTime(fullMoonTimesUTC[i]);
        const std::int64_t fresh = moonEventToTime(newMoonTimesUTC[i]);
        EXPECT_GT(fresh - full, 13 * kDay) << "entry " << i;
        EXPECT_LT(fresh - full, 17 * kDay) << "entry " << i;
        if (i + 1 == kMoonEventsPerTable) continue;
        const std::int64_t nextFull = moonEventToTime(fullMoonTimesUTC[i + 1]);
        const std::int64_t nextNew = moonEventToTime(newMoonTimesUTC[i + 1]);
        EXPECT_GT(nextFull, fresh) << "entry " << i;
        for (std::int64_t lunation : {nextFull - full, nextNew - fresh}) {
            EXPECT_GT(lunation, 29 * kDay + 4 * 3600) << "entry " << i;
            EXPECT_LT(lunation, 29 * kDay + 22 * 3600) << "entry " << i;
        }
    }
}

TEST(MoonTime, EntriesBecomeExactUtcInstants) {
    EXPECT_EQ(moonEventToTime(fullMoonTimesUTC.front()), 1576127520);  // 2019-12-12 05:12 UTC
    EXPECT_EQ(moonEventToTime(newMoonTimesUTC.back()), 1924363920);    // 2030-12-24 17:32 UTC
    EXPECT_EQ(utcSecondsFromCivil(2024, 2, 29, 0, 0, 0), 1709164800);
    EXPECT_EQ(utcSecondsFromCivil(2024, 3, 1, 0, 0, 0) - utcSecondsFromCivil(2024, 2, 28, 0, 0, 0), 2 * kDay);
    EXPECT_EQ(utcSecondsFromCivil(1970, 1, 1, 0, 0, 0), 0);
    EXPECT_EQ(utcSecondsFromCivil(1969, 12, 31, 23, 59, 59), -1);
}

}  // namespace
