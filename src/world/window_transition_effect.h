// A transition played on the window itself, one step per frame, before the
// sky starts. The application lets it draw instead of the world until it says
// it has finished, then deletes it.
#pragma once

#include "system/rect.h"

class keslWindow;

class cWindowTransitionEffect_base {
public:
    cWindowTransitionEffect_base() = default;
    cWindowTransitionEffect_base(const cWindowTransitionEffect_base&) = delete;
    cWindowTransitionEffect_base& operator=(const cWindowTransitionEffect_base&) = delete;
    virtual ~cWindowTransitionEffect_base() = default;

    // Binds the effect to the window (borrowed) and the monitor it plays on.
    virtual void initWithWindow(keslWindow* window, const keslRect<int>& monitorRect, int monitorNumber);
    // One frame of the effect.
    virtual void stepEffect() = 0;

    bool isFinished() const { return effectFinished; }

protected:
    keslWindow* m_window = nullptr;
    bool effectFinished = false;
};
