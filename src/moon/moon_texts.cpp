#include "moon/moon_texts.h"

#include "moon/moon_time.h"
#include "system/system_services.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr std::int64_t kSecondsPerHour = 3600;
constexpr std::int64_t kHoursInADay = 24;
constexpr int kQuarterToleranceDegrees = 3;
constexpr int kFullMoonEndsAboveDegrees = 356;
constexpr int kFullMoonBeginsBelowDegrees = 4;

const std::array<const char*, 12> kMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                                                 "July",    "August",   "September", "October", "November", "December"};

const std::array<const char*, 12> kFolkMoonNames = {
    "\"Wolf Moon\"",    "\"Snow Moon\"",     "\"Worm Moon\"",     "\"Pink Moon\"",
    "\"Flower Moon\"",  "\"Strawberry Moon\"", "\"Buck Moon\"",   "\"Sturgeon Moon\"",
    "\"Harvest Moon\"", "\"Hunter's Moon\"", "\"Beaver Moon\"",   "\"Cold Moon\"",
};

bool isValidMonth(int month) { return month >= 0 && month < 12; }

bool isNear(int degrees, int target) { return std::abs(degrees - target) <= kQuarterToleranceDegrees; }

int localMonthOf(std::int64_t t) { return localDateOf(t).month; }

void appendHoursUntilFullMoon(cTextRotator& notable, std::int64_t hours) {
    if (hours == 0) {
        notable.addLine("Full moon now!");
    } else if (hours == 1) {
        notable.addLine("Full moon on the next hour!");
    } else if (hours >= 2 && hours < kHoursInADay) {
        notable.addLine("Full moon in " + std::to_string(hours) + " hours");
    }
}

void appendHoursSince(cTextRotator& notable, const char* event, std::int64_t hours) {
    if (hours == 1) {
        notable.addLine(std::string(event) + " was one hour ago");
    } else if (hours >= 2 && hours < kHoursInADay) {
        notable.addLine(std::string(event) + " was " + std::to_string(hours) + " hours ago");
    }
}

}  // namespace

std::string monthName(int month) {
    return isValidMonth(month) ? kMonthNames[static_cast<std::size_t>(month)]
                               : "intToMonth() called with index out of 0..11";
}

std::string intToMonth(std::int64_t t) {
    std::tm local{};
    if (!keslSystemServices().localTime(static_cast<std::time_t>(t), local)) local = std::tm{};
    char text[128];
    std::snprintf(text, sizeof text, "%s %02d, %02d:%02d", monthName(local.tm_mon).c_str(), local.tm_mday,
                  local.tm_hour, local.tm_min);
    return text;
}

std::string folkMoonName(int month) {
    return isValidMonth(month) ? kFolkMoonNames[static_cast<std::size_t>(month)] : "error #528";
}

std::string moonPhaseName(int degrees) {
    const int d = degrees % 360;
    if (d < kFullMoonBeginsBelowDegrees || d > kFullMoonEndsAboveDegrees) return "Full Moon";
    if (isNear(d, 90)) return "Last Quarter";
    if (isNear(d, 180)) return "New Moon";
    if (isNear(d, 270)) return "First Quarter";
    if (d < 90) return "Waning Gibbous Moon";
    if (d < 180) return "Waning Crescent Moon";
    if (d < 270) return "Waxing Crescent Moon";
    return "Waxing Gibbous Moon";
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

    std::string folkName;
    if (fullTonight || fullTomorrow) folkName = folkMoonName(localMonthOf(nearestFullMoon));
    if (fullTonight) {
        notable.addLine("Full moon tonight: " + folkName);
    } else if (fullTomorrow) {
        notable.addLine("Full moon tomorrow: " + folkName);
    } else if (newTonight) {
        notable.addLine("New moon tonight");
    } else if (newTomorrow) {
        notable.addLine("New moon tomorrow");
    } else if (options.showMoonPhaseName) {
        lines.phaseNameText = moonPhaseName(r.moonPhaseDegrees);
    }

    if (newTonight || newTomorrow) notable.addLine("New moon on " + intToMonth(nearestNewMoon));
    if (fullTonight || fullTomorrow) {
        notable.addLine("Full moon on " + intToMonth(nearestFullMoon));
        // Counts to the next full moon even when the previous one made the
        // night test true; the hours are then too many and nothing is added.
        appendHoursUntilFullMoon(notable, (r.nextFullMoon - r.calcTime) / kSecondsPerHour);
    }
    appendHoursSince(notable, "Full moon", (r.calcTime - r.prevFullMoon) / kSecondsPerHour);
    appendHoursSince(notable, "New moon", (r.calcTime - r.prevNewMoon) / kSecondsPerHour);

    if (options.showNotableDates && !notable.hasLines()) {
        lines.nextDatesLines.addLine("Next full moon on " + intToMonth(r.nextFullMoon));
        lines.nextDatesLines.addLine("Next new moon on " + intToMonth(r.nextNewMoon));
    }
    if (options.showMoonPhasePercentAndDegrees) {
        lines.phaseLines.addLine("Phase (degrees):" + std::to_string(r.moonPhaseDegrees));
        lines.phaseLines.addLine("Phase (percent):" + r.moonPhasePercentText);
    }
}
