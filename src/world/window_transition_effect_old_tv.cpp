#include "world/window_transition_effect_old_tv.h"

#include "platform/window.h"
#include "util/log.h"

#include <algorithm>

namespace {
// The bars meet after about ten frames and the line shrinks in about nine.
constexpr int kBarStepsToMeet = 20;
constexpr int kLineStepsToCentre = 8;
constexpr int kFirstDotRadius = 25;
constexpr int kDotRadiusStep = 4;
constexpr int kLineWidth = 1;
// A monitor only a few pixels across still has to reach the end of every
// stage, or the sky would never start.
constexpr int kSmallestStep = 1;
}  // namespace

void cWindowTransitionEffect_OldTV::initWithWindow(keslWindow* window, const keslRect<int>& monitorRect, int) {
    logInfo("cWindowTransitionEffect_OldTV.initWithWindow: %s", monitorRect.toString().c_str());
    m_monitorRect = monitorRect;
    m_window = window;
    effectCentreX = (monitorRect.left + monitorRect.getRight()) / 2;
    effectCentreY = (monitorRect.top + monitorRect.getBottom()) / 2;
    barStep = std::max(kSmallestStep, monitorRect.height / kBarStepsToMeet);
    closingBar = keslRect<int>(monitorRect.top, monitorRect.left, monitorRect.width, barStep);
    if (m_window) m_window->setDoubleBuffered(false);
}

void cWindowTransitionEffect_OldTV::stepEffect() {
    if (effectFinished) return;
    if (!m_window) {
        logError("cWindowTransitionEffect_OldTV.stepEffect() without a window: the effect ends");
        effectFinished = true;
        return;
    }
    switch (effectStage) {
        case kClosingBars:
            stepClosingBars();
            break;
        case kShrinkingLine:
            stepShrinkingLine();
            break;
        default:
            stepFadingDot();
            break;
    }
}

void cWindowTransitionEffect_OldTV::stepClosingBars() {
    m_window->fillRect(closingBar, kFillColor);
    keslRect<int> bottomBar = closingBar;
    bottomBar.top = m_monitorRect.getBottom() - closingBar.height;
    m_window->fillRect(bottomBar, kFillColor);
    if (closingBar.getBottom() >= effectCentreY) {
        effectStage = kShrinkingLine;
        return;
    }
    closingBar.height += barStep;
}

void cWindowTransitionEffect_OldTV::stepShrinkingLine() {
    if (!m_lineStarted) {
        m_lineStarted = true;
        m_lineLeft = m_monitorRect.left;
        m_lineLength = m_monitorRect.width;
        // A step of an eighth of the monitor's half width, so the line reaches
        // the centre in the same number of frames wherever the monitor lies.
        m_lineStep = std::max(kSmallestStep, (effectCentreX - m_monitorRect.left) / kLineStepsToCentre);
    }
    m_window->clearWithColor(kFillColor);
    m_window->drawLine(m_lineLeft, effectCentreY, m_lineLeft + m_lineLength, effectCentreY, kLineWidth, kLightColor);
    m_lineLeft += m_lineStep;
    m_lineLength -= 2 * m_lineStep;
    if (m_lineLeft > effectCentreX) effectStage = kFadingDot;
}

void cWindowTransitionEffect_OldTV::stepFadingDot() {
    if (!m_dotStarted) {
        m_dotStarted = true;
        m_dotRadius = kFirstDotRadius;
    }
    if (m_dotRadius > 0) {
        m_window->clearWithColor(kFillColor);
        m_window->fillCircle(effectCentreX, effectCentreY, m_dotRadius, kLightColor);
        m_dotRadius -= kDotRadiusStep;
        if (m_dotRadius > 0) return;
    }
    finish();
}

void cWindowTransitionEffect_OldTV::finish() {
    effectFinished = true;
    m_window->setDoubleBuffered(true);
    m_window->clearWithColor(kFillColor);
}
