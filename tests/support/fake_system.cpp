#include "support/fake_system.h"

namespace {

// Days since 1970-01-01 to a civil date (Howard Hinnant's algorithm), so the
// fake needs no time-zone support from the C library.
void civilFromDays(long long days, int& year, unsigned& month, unsigned& day) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

FakeSystem::FakeSystem() : m_replaced(installSystemServices(this)) {}

FakeSystem::~FakeSystem() { installSystemServices(m_replaced); }

bool FakeSystem::localTime(std::time_t t, std::tm& out) const {
    ++localTimeLooks;
    const long long local = static_cast<long long>(t) + utcOffsetSeconds;
    long long days = local / 86400;
    long long seconds = local % 86400;
    if (seconds < 0) {
        seconds += 86400;
        --days;
    }
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    civilFromDays(days, year, month, day);
    out = std::tm{};
    out.tm_year = year - 1900;
    out.tm_mon = static_cast<int>(month) - 1;
    out.tm_mday = static_cast<int>(day);
    out.tm_hour = static_cast<int>(seconds / 3600);
    out.tm_min = static_cast<int>(seconds / 60 % 60);
    out.tm_sec = static_cast<int>(seconds % 60);
    out.tm_wday = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    out.tm_isdst = 0;
    return true;
}
