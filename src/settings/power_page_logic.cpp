#include "settings/power_page_logic.h"

#include "util/log.h"

#include <algorithm>
#include <limits>

int remainingKeepAwakeMinutes(const cPowerSettings& power, std::time_t now) {
    if (power.preventSleepPermanently.get()) return cPowerSettings::kPermanentMinutes;
    const long long nowMinutes = static_cast<long long>(now) / 60;
    const long long until = power.preventSleepUntilUtcMinutes.get();
    // A far-off or corrupt moment must not wrap around into a short period;
    // compared before subtracting, so even the extreme stored values cannot overflow.
    const long long lowest = nowMinutes + std::numeric_limits<int>::min();
    const long long highest = nowMinutes + std::numeric_limits<int>::max();
    const long long diff = until <= lowest ? std::numeric_limits<int>::min()
                           : until >= highest ? std::numeric_limits<int>::max()
                                              : until - nowMinutes;
    logInfo("getRemainingTime_inMin, currentTime=%lli, preventSleepUntilTime=%lli, diff=%i minutes", nowMinutes, until,
            static_cast<int>(diff));
    return static_cast<int>(diff);
}

int powerPositionFor(int remainingMinutes) {
    logInfo("loadCurrentSliderPosition(), remainingMinutes=%i", remainingMinutes);
    for (std::size_t position = 0; position < kPowerSteps.size(); ++position) {
        if (kPowerSteps[position].minutes >= remainingMinutes) return static_cast<int>(position);
    }
    return static_cast<int>(kPowerSteps.size()) - 1;
}

const keslPowerStep& powerStepAt(int position) {
    const int last = static_cast<int>(kPowerSteps.size()) - 1;
    return kPowerSteps[static_cast<std::size_t>(std::clamp(position, 0, last))];
}

void storePowerPosition(cPowerSettings& power, int position) {
    power.storeKeepAwakeMinutes(powerStepAt(position).minutes);
}
