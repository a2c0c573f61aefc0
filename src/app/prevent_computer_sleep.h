// Keeps the computer and its display awake while the sky runs, until the
// moment the user chose or for the whole run. The state is taken once, at
// construction, and given back at the first check that finds the time up or
// at destruction; a moment moved while running counts from the next start.
#pragma once

#include "settings/app_settings.h"

class cPreventComputerSleep {
public:
    // The time left is checked on every 1476th tick (about a minute at 40 ms).
    static constexpr int kKeepAwakeCheckTicks = 1475;

    explicit cPreventComputerSleep(keslKeyValue& store = settingsGroups::defaultStore());
    ~cPreventComputerSleep();
    cPreventComputerSleep(const cPreventComputerSleep&) = delete;
    cPreventComputerSleep& operator=(const cPreventComputerSleep&) = delete;

    // Minutes left; positive means stay awake. 19999 when permanently on.
    int getRemainingTime_inMin() const;
    // Asks the system to stay awake; returns whether it now is.
    bool preventIdleSleep();
    // Gives sleep back, if this object holds it.
    void restoreIdleSleep();
    // The application's tick, while active: gives sleep back once the time is up.
    void checkOnTick();

    bool isActive() const { return m_active; }

private:
    cPowerSettings m_settings;
    int m_tickCounter = 0;
    bool m_active = false;
};
