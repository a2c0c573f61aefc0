#include "world/window_transition_effect.h"

#include "util/log.h"

void cWindowTransitionEffect_base::initWithWindow(keslWindow* window, const keslRect<int>&, int) {
    logInfo("cWindowTransitionEffect_base.initWithWindow()");
    m_window = window;
}
