// Where the moon stands in its cycle at one moment: the full and new moons
// around it, the phase angle, the illuminated percentage and whether a full
// or new moon falls in tonight's or tomorrow's night. Linear interpolation
// between the built-in tables of phase instants is accurate to a few degrees,
// which is all a picture of the moon needs; beyond the tables the events are
// extended by whole mean synodic months.
#pragma once

#include "moon/moon_time.h"
#include "util/log.h"

#include <cstdint>
#include <string>
#include <vector>

// Mean synodic month (29.5306 days), the step beyond either end of a table.
constexpr std::int64_t kSynodicMonthSeconds = 2551443;
// A night belongs to the local day on which it begins: until 07:00 it is still yesterday's.
constexpr std::int64_t kNightOffsetSeconds = 7 * 3600;
// Tomorrow's night of t is the night of t plus one day.
constexpr std::int64_t kTomorrowNightShiftSeconds = 24 * 3600 - kNightOffsetSeconds;

// Phase angles: degrees grow from the full moon through the last quarter to
// the new moon and on through the first quarter back to the full moon.
constexpr float kFullMoonDegrees = 0.0f;
constexpr float kNewMoonDegrees = 180.0f;
constexpr float kFullMoonEndOfCycleDegrees = 360.0f;
constexpr float kPhaseWhenIntervalIsEmpty = 90.0f;

struct sMoonPhaseResults {
    std::int64_t calcTime = 0;      // the moment the results are for
    std::int64_t prevFullMoon = 0;  // latest full moon at or before calcTime
    std::int64_t nextFullMoon = 0;  // earliest full moon strictly after calcTime
    std::int64_t prevNewMoon = 0;   // latest new moon at or before calcTime
    std::int64_t nextNewMoon = 0;   // earliest new moon strictly after calcTime
    std::int32_t moonPhaseDegrees = 0;  // 0 to 360, straight between the tabled events
    // The picture's phase from the true phase angle, in the same sense:
    // 0 full, 90 last quarter, 180 new, 270 first quarter.
    std::int32_t moonPictureDegrees = 0;
    std::string moonPhasePercentText;   // illuminated share of the disc, e.g. "57%"
};

class cMoonInfo {
public:
    // Computes the results for the current time.
    explicit cMoonInfo(keslLogManager& log = keslLogManager::get());

    void calcPhaseForTime(std::int64_t t);

    // Judge the nearer event of the kind (ties go to the next one) by the
    // local calendar, at calcTime; the wall clock is never read.
    bool isFullMoonTonight() const;
    bool isFullMoonTomorrow() const;
    bool isNewMoonTonight() const;
    bool isNewMoonTomorrow() const;

    sMoonPhaseResults m_results;

private:
    keslLogManager& m_log;
};

// The UTC instants of a built-in table, in table order.
std::vector<std::int64_t> moonEventTimes(bool fullMoons);

// Latest event at or before t, extending the list by whole synodic months
// on either side; 0 for an empty list.
std::int64_t findPrevEvent(const std::vector<std::int64_t>& events, std::int64_t t);
// Earliest event strictly after t, extended likewise; 0 for an empty list.
std::int64_t findNextEvent(const std::vector<std::int64_t>& events, std::int64_t t);

// Phase angle at t on the straight line from (start, startDegrees) to (end, endDegrees).
float interpolatePhase(std::int64_t start, std::int64_t end, std::int64_t t, float startDegrees,
                       float endDegrees, keslLogManager& log = keslLogManager::get());

// Illuminated percentage, (1 + cos D) / 2 rounded, of the phase angle D in
// degrees: 100 at full moon (0), 50 at the quarters, 0 at new moon (180).
int moonPercentForDegrees(double phaseAngleDegrees);
// The true phase angle at t, 0..360 (0 at full moon, 90 first quarter). The
// tabled phase is linear in time between the events, up to some seven degrees
// off the moon's uneven pace: too coarse for the lit percentage and picture.
double moonPhaseAngleAt(std::int64_t t);
// The moon picture's phase at t from the true phase angle, whole degrees
// 0..359 in the tabled phase's sense (90 last quarter, 270 first quarter), so
// the drawn disc is lit as much as the percent says.
int moonPictureDegreesAt(std::int64_t t);

// previous or next, whichever is nearer to t; the next one when both are equally far.
std::int64_t nearestEvent(std::int64_t previous, std::int64_t next, std::int64_t t);

// The local day on whose evening the night that contains t began.
sLocalDate nightDayOf(std::int64_t t);
