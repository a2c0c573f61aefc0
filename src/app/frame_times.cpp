#include "app/frame_times.h"

#include "system/system_services.h"
#include "util/log.h"

#include <algorithm>
#include <cstdio>

void orvanelFrameTimes::workStarted() {
    m_pieceStart = keslSystemServices().monotonicSeconds();
    if (m_started) return;
    m_started = true;
    m_firstStart = m_pieceStart;
    m_lastEnd = m_pieceStart;
}

void orvanelFrameTimes::workEnded() {
    if (!m_started) return;
    m_lastEnd = keslSystemServices().monotonicSeconds();
    m_frameSeconds += std::max(0.0, m_lastEnd - m_pieceStart);
}

void orvanelFrameTimes::frameShown() {
    ++m_frames;
    m_totalSeconds += m_frameSeconds;
    m_slowestSeconds = std::max(m_slowestSeconds, m_frameSeconds);
    m_frameSeconds = 0.0;
}

std::string orvanelFrameTimes::summary() const {
    const double averageMs = m_frames > 0 ? m_totalSeconds * 1000.0 / m_frames : 0.0;
    char text[128];
    std::snprintf(text, sizeof text, "Frames: %i in %.1f s, average %.1f ms, slowest %.1f ms", m_frames,
                  m_lastEnd - m_firstStart, averageMs, m_slowestSeconds * 1000.0);
    return text;
}

void orvanelFrameTimes::logSummary() const { logInfo("%s", summary().c_str()); }
