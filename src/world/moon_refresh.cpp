#include "world/moon_refresh.h"

#include <cstdlib>

void cMoonRefresh::start(std::time_t start, int litPhaseDegrees) {
    m_start = start;
    m_lastCheck = start;
    m_litPhase = litPhaseDegrees;
}

bool cMoonRefresh::checkDue(std::time_t now) const {
    if (now < m_lastCheck) return true;
    return now - m_start > kRunBeforeFirstCheckSeconds && now - m_lastCheck >= kCheckIntervalSeconds;
}

bool cMoonRefresh::phaseMoved(std::time_t now, int phaseNowDegrees) {
    m_lastCheck = now;
    if (phaseDistanceDegrees(phaseNowDegrees, m_litPhase) < kPhaseStepDegrees) return false;
    m_litPhase = phaseNowDegrees;
    return true;
}

int phaseDistanceDegrees(int a, int b) {
    const int apart = std::abs(a - b) % 360;
    return apart > 180 ? 360 - apart : apart;
}
