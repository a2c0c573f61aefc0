// The rules by which user input and power events end a full-screen run. They
// are plain decisions on numbers so they can be tested without a window.
#pragma once

#include "system/point.h"

// Movements up to this many pixels (horizontal plus vertical) are jitter.
constexpr long kMouseMoveThreshold = 4;

bool mouseMoveCloses(keslPoint<long> reference, keslPoint<long> now);

enum class keslPowerAnswer {
    KeepRunning,
    Close,
    GrantQuery,  // answer 1 to the suspend query, without closing
};

// What a WM_POWERBROADCAST with this event and data means for the run.
keslPowerAnswer powerBroadcastAnswer(unsigned long event, long data);
