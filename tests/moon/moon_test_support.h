// Local wall-clock helpers for the moon tests, answered by whatever system
// services are installed (a fixed-offset FakeSystem, or the platform's own
// under a real time zone), and a guard that runs a test in a named zone.
#pragma once

#include "moon/moon_event_tables.h"
#include "moon/moon_info.h"
#include "moon/moon_time.h"
#include "util/log.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

constexpr std::int64_t kMinute = 60;
constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay = 86400;

inline std::int64_t fullMoonAt(std::size_t index) { return moonEventToTime(fullMoonTimesUTC[index]); }
inline std::int64_t newMoonAt(std::size_t index) { return moonEventToTime(newMoonTimesUTC[index]); }

inline cMoonInfo moonInfoAt(std::int64_t t) {
    cMoonInfo info;
    info.calcPhaseForTime(t);
    return info;
}

struct LocalWallTime {
    int year = 0;
    int month = 0;  // 1-12
    int day = 0;
    int hour = 0;
    int minute = 0;
};

LocalWallTime localWallTimeOf(std::int64_t t);
// The instant that shows the given local wall-clock time (not in a daylight-saving gap).
std::int64_t instantOfLocal(int year, int month, int day, int hour, int minute);
// Offset of local time from UTC at t, in seconds.
std::int64_t utcOffsetAt(std::int64_t t);

#ifndef _WIN32
// Makes the C library's local time follow the named zone (as in the TZ variable) until destroyed.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    bool m_hadZone = false;
    std::string m_previousZone;
};
#endif

// A private log bound to a file in a temporary folder, for asserting log lines.
class CapturedLog {
public:
    CapturedLog();
    ~CapturedLog();
    keslLogManager& manager() { return *m_manager; }
    bool contains(const std::string& line) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    std::unique_ptr<keslLogManager> m_manager;
};
