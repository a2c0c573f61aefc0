// An old television set switching off: black bars close in from the top and
// bottom of the monitor, leaving a white line across the middle; the line
// shrinks to a dot at the centre, and the dot shrinks and vanishes. It draws
// straight on the window, so every step shows at once, and hands the window
// back double-buffered when it has finished.
#pragma once

#include "platform/color.h"
#include "world/window_transition_effect.h"

class cWindowTransitionEffect_OldTV : public cWindowTransitionEffect_base {
public:
    static constexpr keslColor kFillColor = 0x050510FFu;
    static constexpr keslColor kLightColor = 0xFFFFFFFFu;

    enum Stage : int { kClosingBars = 1, kShrinkingLine = 2, kFadingDot = 3 };

    ~cWindowTransitionEffect_OldTV() override = default;

    void initWithWindow(keslWindow* window, const keslRect<int>& monitorRect, int monitorNumber) override;
    void stepEffect() override;

    int getStage() const { return effectStage; }
    int getCentreX() const { return effectCentreX; }
    int getCentreY() const { return effectCentreY; }
    int getBarStep() const { return barStep; }

private:
    void stepClosingBars();
    void stepShrinkingLine();
    void stepFadingDot();
    void finish();

    int effectStage = kClosingBars;
    int effectCentreX = 0;
    int effectCentreY = 0;
    int barStep = 1;
    keslRect<int> closingBar;
    keslRect<int> m_monitorRect;
    // Set on the first step of their stage.
    bool m_lineStarted = false;
    int m_lineLeft = 0;
    int m_lineLength = 0;
    int m_lineStep = 0;
    bool m_dotStarted = false;
    int m_dotRadius = 0;
};
