// The Power page's track bar: ten positions from "run normally" to
// "permanently", each a number of keep-awake minutes from now. What is still
// left of an earlier choice is shown as the shortest position that covers it.
#pragma once

#include "settings/app_settings.h"

#include <array>
#include <ctime>

struct keslPowerStep {
    int minutes;
    const char* label;
};

inline constexpr std::array<keslPowerStep, 10> kPowerSteps{{
    {0, "Run normally (no changes in the power settings)"},
    {30, "Prevent sleep for the next 30 minutes"},
    {60, "Prevent sleep for the next 1 hour"},
    {120, "Prevent sleep for the next 2 hours"},
    {240, "Prevent sleep for the next 4 hours"},
    {480, "Prevent sleep for the next 8 hours"},
    {720, "Prevent sleep for the next 12 hours"},
    {1440, "Prevent sleep for the next 24 hours"},
    {2880, "Prevent sleep for the next 48 hours"},
    {cPowerSettings::kPermanentMinutes, "Prevent sleep permanently"},
}};

// Minutes of keep-awake left at now (negative once over); kPermanentMinutes when permanent.
int remainingKeepAwakeMinutes(const cPowerSettings& power, std::time_t now);
// The first position whose minutes cover the remaining minutes; the last if none does.
int powerPositionFor(int remainingMinutes);
// Out-of-range positions (a track bar out of step) count as the nearest end.
const keslPowerStep& powerStepAt(int position);
// Stores the keep-awake period of a track bar position, starting now.
void storePowerPosition(cPowerSettings& power, int position);
