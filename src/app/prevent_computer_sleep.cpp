#include "app/prevent_computer_sleep.h"

#include "system/system_services.h"
#include "util/log.h"

#include <cstdint>

cPreventComputerSleep::cPreventComputerSleep(keslKeyValue& store) : m_settings(store) {
    if (getRemainingTime_inMin() > 0) preventIdleSleep();
}

cPreventComputerSleep::~cPreventComputerSleep() { restoreIdleSleep(); }

int cPreventComputerSleep::getRemainingTime_inMin() const {
    const std::int64_t now = static_cast<std::int64_t>(keslSystemServices().currentTime()) / 60;
    const std::int64_t until = m_settings.preventSleepUntilUtcMinutes.get();
    const int difference = static_cast<int>(until - now);
    logInfo("getRemainingTime_inMin, currentTime=%lli, preventSleepUntilTime=%lli, diff=%i minutes",
            static_cast<long long>(now), static_cast<long long>(until), difference);
    if (m_settings.preventSleepPermanently.get()) return cPowerSettings::kPermanentMinutes;
    return difference;
}

bool cPreventComputerSleep::preventIdleSleep() {
    logInfo("cPreventComputerSleep calls preventIdleSleep() to keep power ON");
    m_active = keslSystemServices().keepAwake(true);
    if (!m_active) logWarning("cPreventComputerSleep preventIdleSleep() failed");
    return m_active;
}

void cPreventComputerSleep::restoreIdleSleep() {
    if (!m_active) return;
    logInfo("cPreventComputerSleep calls restoreIdleSleep()");
    keslSystemServices().keepAwake(false);
    m_active = false;
}

void cPreventComputerSleep::checkOnTick() {
    if (!m_active) return;
    if (++m_tickCounter <= kKeepAwakeCheckTicks) return;
    logInfo("cPreventComputerSleep is tick time");
    m_tickCounter = 0;
    if (getRemainingTime_inMin() <= 0) restoreIdleSleep();
}
