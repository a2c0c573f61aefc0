#include "moon/moon_time.h"

#include "system/system_services.h"

#include <ctime>

namespace {

// Days from 1970-01-01 to a civil date (Howard Hinnant's days_from_civil).
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

std::int64_t utcSecondsFromCivil(int year, int month, int day, int hour, int minute, int second) {
    return daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

std::int64_t moonEventToTime(const sMoonEventUTC& event) {
    return utcSecondsFromCivil(event.year, event.month, event.day, event.hour, event.minute, 0);
}

sLocalDate localDateOf(std::int64_t t) {
    std::tm local{};
    if (!keslSystemServices().localTime(static_cast<std::time_t>(t), local)) local = std::tm{};
    sLocalDate date;
    date.year = local.tm_year;
    date.month = local.tm_mon;
    date.day = local.tm_mday;
    return date;
}
