#include "world/frame_rate_sprite.h"

#include "system/system_services.h"

#include <algorithm>
#include <climits>
#include <sstream>

cFrameRateSprite::cFrameRateSprite()
    : TzerinSpriteText("frameRateLabel"), m_stopwatchStart(keslSystemServices().monotonicSeconds()) {
    setText(kInitialText);
    textParams.fontSize = kFontSize;
    textParams.color = kTextColor;
}

void cFrameRateSprite::update(float seconds) {
    TzerinSpriteText::update(seconds);
    ++m_updateCounter;
    if (m_updateCounter % kUpdatesPerMeasurement == 0) report();
}

void cFrameRateSprite::report() {
    const double now = keslSystemServices().monotonicSeconds();
    const double elapsed = now - m_stopwatchStart;
    m_stopwatchStart = now;
    // A stopwatch that did not move (a frozen clock) has no rate to report.
    if (elapsed <= 0.0) return;
    const double rate = std::min(kUpdatesPerMeasurement / elapsed, static_cast<double>(INT_MAX));
    m_framesPerSecond = static_cast<int>(rate);
    std::ostringstream text;
    text << "frame rate:\n" << m_framesPerSecond << " frames/sec\n";
    text << 1000.0f / static_cast<float>(m_framesPerSecond) << " msec per frame\n";
    text << "Build:" << __DATE__ << " " << __TIME__ << m_extraText;
    setText(text.str().c_str());
}
