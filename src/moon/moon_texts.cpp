#include "moon/moon_texts.h"

#include "moon/moon_time.h"
#include "system/system_services.h"
#include "util/file_system.h"

#include <cstdlib>
#include <ctime>

namespace {

using keslFileSystemMini::fillInBlank;

constexpr std::int64_t kSecondsPerHour = 3600;
constexpr std::int64_t kHoursInADay = 24;
constexpr int kQuarterToleranceDegrees = 3;
constexpr int kFullMoonEndsAboveDegrees = 356;
constexpr int kFullMoonBeginsBelowDegrees = 4;

bool isValidMonth(int month) { return month >= 0 && month < 12; }

bool isNear(int degrees, int target) { return std::abs(degrees - target) <= kQuarterToleranceDegrees; }

int localMonthOf(std::int64_t t) { return localDateOf(t).month; }

std::string twoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

void appendHoursUntilFullMoon(cTextRotator& notable, std::int64_t hours, const keslMoonWords& words) {
    if (hours == 0) {
        notable.addLine(words.fullMoonNow);
    } else if (hours == 1) {
        notable.addLine(words.fullMoonNextHour);
    } else if (hours >= 2 && hours < kHoursInADay) {
        notable.addLine(fillInBlank(words.fullMoonInHours, "hours", std::to_string(hours)));
    }
}

// oneHour and manyHours: the event's "was one hour ago" and "was {hours} hours ago".
void appendHoursSince(cTextRotator& notable, const std::string& oneHour, const std::string& manyHours,
                      std::int64_t hours) {
    if (hours == 1) {
        notable.addLine(oneHour);
    } else if (hours >= 2 && hours < kHoursInADay) {
        notable.addLine(fillInBlank(manyHours, "hours", std::to_string(hours)));
    }
}

}  // namespace

std::string monthName(int month, const keslMoonWords& words) {
    return isValidMonth(month) ? words.months[static_cast<std::size_t>(month)]
                               : "intToMonth() called with index out of 0..11";
}

std::string intToMonth(std::int64_t t, const keslMoonWords& words) {
    std::tm local{};
    if (!keslSystemServices().localTime(static_cast<std::time_t>(t), local)) local = std::tm{};
    std::string text = fillInBlank(words.dateAndTime, "month", monthName(local.tm_mon, words));
    text = fillInBlank(text, "day2", twoDigits(local.tm_mday));
    text = fillInBlank(text, "day", std::to_string(local.tm_mday));
    text = fillInBlank(text, "hour", twoDigits(local.tm_hour));
    return fillInBlank(text, "minute", twoDigits(local.tm_min));
}

std::string folkMoonName(int month, const keslMoonWords& words) {
    return isValidMonth(month) ? words.folkNames[static_cast<std::size_t>(month)] : "error #528";
}

std::string moonPhaseName(int degrees, const keslMoonWords& words) {
    enum { kFull, kLastQuarter, kNew, kFirstQuarter, kWaningGibbous, kWaningCrescent, kWaxingCrescent, kWaxingGibbous };
    auto name = [&words](int phase) { return words.phaseNames[static_cast<std::size_t>(phase)]; };
    const int d = degrees % 360;
    if (d < kFullMoonBeginsBelowDegrees || d > kFullMoonEndsAboveDegrees) return name(kFull);
    if (isNear(d, 90)) return name(kLastQuarter);
    if (isNear(d, 180)) return name(kNew);
    if (isNear(d, 270)) return name(kFirstQuarter);
    if (d < 90) return name(kWaningGibbous);
    if (d < 180) return name(kWaningCrescent);
    if (d < 270) return name(kWaxingCrescent);
    return name(kWaxingGibbous);
}

void fillFromMoonInfo(sMoonInfoLines& lines, const cMoonInfo& moonInfo, const sMoonTextOptions& options) {
    const sMoonPhaseResults& r = moonInfo.m_results;
    const std::int64_t nearestFullMoon = nearestEvent(r.prevFullMoon, r.nextFullMoon, r.calcTime);
    const std::int64_t nearestNewMoon = nearestEvent(r.prevNewMoon, r.nextNewMoon, r.calcTime);
    const bool fullTonight = moonInfo.isFullMoonTonight();
    const bool fullTomorrow = moonInfo.isFullMoonTomorrow();
    const bool newTonight = moonInfo.isNewMoonTonight();
    const bool newTomorrow = moonInfo.isNewMoonTomorrow();
    cTextRotator& notable = lines.notableLines;
    const keslMoonWords& w = options.words;

    std::string folkName;
    if (fullTonight || fullTomorrow) folkName = folkMoonName(localMonthOf(nearestFullMoon), w);
    if (fullTonight) {
        notable.addLine(fillInBlank(w.fullMoonTonight, "name", folkName));
    } else if (fullTomorrow) {
        notable.addLine(fillInBlank(w.fullMoonTomorrow, "name", folkName));
    } else if (newTonight) {
        notable.addLine(w.newMoonTonight);
    } else if (newTomorrow) {
        notable.addLine(w.newMoonTomorrow);
    } else if (options.showMoonPhaseName) {
        lines.phaseNameText = moonPhaseName(r.moonPhaseDegrees, w);
    }

    auto dated = [&w](const std::string& sentence, std::int64_t t) {
        return fillInBlank(sentence, "date", intToMonth(t, w));
    };
    if (newTonight || newTomorrow) notable.addLine(dated(w.newMoonOn, nearestNewMoon));
    if (fullTonight || fullTomorrow) {
        notable.addLine(dated(w.fullMoonOn, nearestFullMoon));
        // Counts to the next full moon even when the previous one made the
        // night test true; the hours are then too many and nothing is added.
        appendHoursUntilFullMoon(notable, (r.nextFullMoon - r.calcTime) / kSecondsPerHour, w);
    }
    appendHoursSince(notable, w.fullMoonHourAgo, w.fullMoonHoursAgo, (r.calcTime - r.prevFullMoon) / kSecondsPerHour);
    appendHoursSince(notable, w.newMoonHourAgo, w.newMoonHoursAgo, (r.calcTime - r.prevNewMoon) / kSecondsPerHour);

    if (options.showNotableDates && !notable.hasLines()) {
        lines.nextDatesLines.addLine(dated(w.nextFullMoonOn, r.nextFullMoon));
        lines.nextDatesLines.addLine(dated(w.nextNewMoonOn, r.nextNewMoon));
    }
    if (options.showMoonPhasePercentAndDegrees) {
        lines.phaseLines.addLine(fillInBlank(w.phaseDegrees, "degrees", std::to_string(r.moonPhaseDegrees)));
        lines.phaseLines.addLine(fillInBlank(w.phasePercent, "percent", r.moonPhasePercentText));
    }
}
