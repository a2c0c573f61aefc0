// When a long run re-lights the moon and rewrites its label. A Windows saver
// runs for minutes, but a Linux root window may run for days: once a run has
// lasted an hour, the moon is looked at once a minute and lit anew when its
// phase has moved by a whole degree. Time is the system's wall clock, so a
// test can fake it.
#pragma once

#include <ctime>

class cMoonRefresh {
public:
    static constexpr std::time_t kRunBeforeFirstCheckSeconds = 3600;
    static constexpr std::time_t kCheckIntervalSeconds = 60;
    static constexpr int kPhaseStepDegrees = 1;

    // The run started at start with the moon lit at litPhaseDegrees.
    void start(std::time_t start, int litPhaseDegrees);

    // The run has lasted more than an hour and the last check is a minute old;
    // a clock set back counts as due too, so a corrected clock is not waited out.
    bool checkDue(std::time_t now) const;
    // Marks a check at now; true (and phaseNowDegrees becomes the lit phase)
    // when the phase has moved by a degree or more either way round.
    bool phaseMoved(std::time_t now, int phaseNowDegrees);

    int litPhaseDegrees() const { return m_litPhase; }

private:
    std::time_t m_start = 0;
    std::time_t m_lastCheck = 0;
    int m_litPhase = 0;
};

// Distance between two phase angles in whole degrees, 0..180.
int phaseDistanceDegrees(int a, int b);
