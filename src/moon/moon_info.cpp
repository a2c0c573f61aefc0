#include "moon/moon_info.h"

#include "moon/moon_event_tables.h"
#include "moon/moon_time.h"
#include "system/system_services.h"
#include "util/log_guards.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kJulianDayOfEpoch = 2440587.5;  // 1970-01-01 00:00 UTC
constexpr double kJulianDayOfJ2000 = 2451545.0;
constexpr double kDaysPerJulianCentury = 36525.0;

}  // namespace

std::vector<std::int64_t> moonEventTimes(bool fullMoons) {
    const auto& table = fullMoons ? fullMoonTimesUTC : newMoonTimesUTC;
    std::vector<std::int64_t> times;
    times.reserve(table.size());
    for (const sMoonEventUTC& event : table) times.push_back(moonEventToTime(event));
    return times;
}

std::int64_t findPrevEvent(const std::vector<std::int64_t>& events, std::int64_t t) {
    if (events.empty()) return 0;
    const std::int64_t first = events.front();
    const std::int64_t last = events.back();
    if (first > t) {
        // Round the months up, so an extrapolated event exactly at t counts as previous.
        const std::int64_t months = (first - t + kSynodicMonthSeconds - 1) / kSynodicMonthSeconds;
        return first - months * kSynodicMonthSeconds;
    }
    if (last <= t) return last + (t - last) / kSynodicMonthSeconds * kSynodicMonthSeconds;
    const auto after = std::upper_bound(events.begin(), events.end(), t);
    return *(after - 1);
}

std::int64_t findNextEvent(const std::vector<std::int64_t>& events, std::int64_t t) {
    if (events.empty()) return 0;
    const std::int64_t first = events.front();
    const std::int64_t last = events.back();
    if (last <= t) return last + ((t - last) / kSynodicMonthSeconds + 1) * kSynodicMonthSeconds;
    if (first > t) return first - (first - t - 1) / kSynodicMonthSeconds * kSynodicMonthSeconds;
    return *std::upper_bound(events.begin(), events.end(), t);
}

float interpolatePhase(std::int64_t start, std::int64_t end, std::int64_t t, float startDegrees,
                       float endDegrees, keslLogManager& log) {
    if (end == start) {
        log.error().add("$8723: interpolate diff = 0");
        return kPhaseWhenIntervalIsEmpty;
    }
    const float elapsed = static_cast<float>(static_cast<double>(t - start));
    const float span = static_cast<float>(static_cast<double>(end - start));
    return elapsed * (endDegrees - startDegrees) / span + startDegrees;
}

int moonPercentForDegrees(double phaseAngleDegrees) {
    const double lit = (1.0 + std::cos(phaseAngleDegrees * kRadiansPerDegree)) / 2.0;
    return static_cast<int>(std::lround(lit * 100.0));
}

// Meeus, Astronomical Algorithms, chapter 48: the phase angle from the mean
// elongation and anomalies with the six largest periodic terms, within half
// a percent of lit area of a full ephemeris.
double moonPhaseAngleAt(std::int64_t t) {
    const double julianDay = static_cast<double>(t) / kSecondsPerDay + kJulianDayOfEpoch;
    const double centuries = (julianDay - kJulianDayOfJ2000) / kDaysPerJulianCentury;
    const double elongation = 297.8501921 + 445267.1114034 * centuries;
    const double sunAnomaly = 357.5291092 + 35999.0502909 * centuries;
    const double moonAnomaly = 134.9633964 + 477198.8675055 * centuries;
    const auto sine = [](double degrees) { return std::sin(degrees * kRadiansPerDegree); };
    const double angle = 180.0 - elongation - 6.289 * sine(moonAnomaly) + 2.100 * sine(sunAnomaly) -
                         1.274 * sine(2.0 * elongation - moonAnomaly) - 0.658 * sine(2.0 * elongation) -
                         0.214 * sine(2.0 * moonAnomaly) - 0.110 * sine(elongation);
    const double turns = std::floor(angle / 360.0);
    return angle - turns * 360.0;
}

int moonPictureDegreesAt(std::int64_t t) {
    // The true angle counts the waxing half from 180 down to 0; the picture
    // counts it from 180 up to 360.
    const long degrees = std::lround(360.0 - moonPhaseAngleAt(t));
    return static_cast<int>(degrees % 360);
}

std::int64_t nearestEvent(std::int64_t previous, std::int64_t next, std::int64_t t) {
    return (t - previous) >= (next - t) ? next : previous;
}

sLocalDate nightDayOf(std::int64_t t) { return localDateOf(t - kNightOffsetSeconds); }

namespace {

// The events either side of the results' moment and their phase angles.
struct sPhaseInterval {
    std::int64_t start;
    std::int64_t end;
    float startDegrees;
    float endDegrees;
};

sPhaseInterval phaseIntervalOf(const sMoonPhaseResults& r) {
    sPhaseInterval interval{r.prevNewMoon, r.nextNewMoon, kNewMoonDegrees, kNewMoonDegrees};
    if (r.prevFullMoon > r.prevNewMoon) {
        interval.start = r.prevFullMoon;
        interval.startDegrees = kFullMoonDegrees;
    }
    if (r.nextFullMoon < r.nextNewMoon) {
        interval.end = r.nextFullMoon;
        interval.endDegrees = kFullMoonEndOfCycleDegrees;
    }
    return interval;
}

}  // namespace

cMoonInfo::cMoonInfo(keslLogManager& log) : m_log(log) {
    m_log.info().add("creating cMoonInfo");
    calcPhaseForTime(keslSystemServices().currentTime());
}

void cMoonInfo::calcPhaseForTime(std::int64_t t) {
    logObjectLife scope("cMoonInfo::calcPhaseForTime", m_log);
    m_results.calcTime = t;

    const std::vector<std::int64_t> fullMoons = moonEventTimes(true);
    m_results.prevFullMoon = findPrevEvent(fullMoons, t);
    m_results.nextFullMoon = findNextEvent(fullMoons, t);
    const std::vector<std::int64_t> newMoons = moonEventTimes(false);
    m_results.prevNewMoon = findPrevEvent(newMoons, t);
    m_results.nextNewMoon = findNextEvent(newMoons, t);

    const sPhaseInterval interval = phaseIntervalOf(m_results);
    m_log.info().add(interval.startDegrees == kFullMoonDegrees ? "calcPhaseForTime case1" : "calcPhaseForTime case2");
    m_log.info().add(interval.endDegrees == kFullMoonEndOfCycleDegrees ? "calcPhaseForTime case3"
                                                                       : "calcPhaseForTime case4");
    m_results.moonPhaseDegrees = static_cast<std::int32_t>(
        interpolatePhase(interval.start, interval.end, t, interval.startDegrees, interval.endDegrees, m_log));
    m_log.info().addFormatted("m_results.moonPhaseDegrees:%i", m_results.moonPhaseDegrees);
    m_results.moonPictureDegrees = moonPictureDegreesAt(t);

    char percent[16];
    std::snprintf(percent, sizeof percent, "%i%%", moonPercentForDegrees(moonPhaseAngleAt(t)));
    m_results.moonPhasePercentText = percent;
}

bool cMoonInfo::isFullMoonTonight() const {
    const std::int64_t event = nearestEvent(m_results.prevFullMoon, m_results.nextFullMoon, m_results.calcTime);
    if (event - kNightOffsetSeconds < 0) m_log.error().add("#1841a: Negative time_t");
    if (m_results.calcTime - kNightOffsetSeconds < 0) m_log.error().add("#1841b: Negative time_t");
    return nightDayOf(event) == nightDayOf(m_results.calcTime);
}

bool cMoonInfo::isFullMoonTomorrow() const {
    const std::int64_t event = nearestEvent(m_results.prevFullMoon, m_results.nextFullMoon, m_results.calcTime);
    return nightDayOf(event) == localDateOf(m_results.calcTime + kTomorrowNightShiftSeconds);
}

bool cMoonInfo::isNewMoonTonight() const {
    const std::int64_t event = nearestEvent(m_results.prevNewMoon, m_results.nextNewMoon, m_results.calcTime);
    return nightDayOf(event) == nightDayOf(m_results.calcTime);
}

bool cMoonInfo::isNewMoonTomorrow() const {
    const std::int64_t event = nearestEvent(m_results.prevNewMoon, m_results.nextNewMoon, m_results.calcTime);
    return nightDayOf(event) == localDateOf(m_results.calcTime + kTomorrowNightShiftSeconds);
}
