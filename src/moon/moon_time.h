// Calendar arithmetic the moon code needs: table entries become exact UTC
// instants without the C library's zone rules (a portable timegm), and local
// calendar days come from the system services so tests can pin the zone.
#pragma once

#include "moon/moon_event_tables.h"

#include <cstdint>

// Seconds since 1970-01-01 00:00 UTC of a proleptic Gregorian UTC date and time.
std::int64_t utcSecondsFromCivil(int year, int month, int day, int hour, int minute, int second);

// The exact UTC instant of a table entry, whatever the local zone and its daylight-saving rules.
std::int64_t moonEventToTime(const sMoonEventUTC& event);

// A local calendar day; an all-zero day when the platform cannot convert the time.
struct sLocalDate {
    int year = 0;   // years since 1900, as std::tm counts them
    int month = 0;  // 0-11
    int day = 0;    // 1-31

    bool operator==(const sLocalDate& other) const {
        return year == other.year && month == other.month && day == other.day;
    }
    bool operator!=(const sLocalDate& other) const { return !(*this == other); }
};

sLocalDate localDateOf(std::int64_t t);
