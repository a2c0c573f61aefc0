// The bottom line: the second text of each message, a cyan label that waits
// just beyond the main monitor's right edge while the stars settle, then
// scrolls leftwards across the bottom of the monitor.
#pragma once

#include "platform/color.h"
#include "system/rect.h"

class TzerinSpriteText;

struct cBottomLineLook {
    static constexpr keslColor kColor = 0x00FFFFFFu;
    // The label crosses the monitor in this many seconds, plus its own width's worth.
    static constexpr float kCrossingSeconds = 16.0f;
    // The font grows with the monitor: one point per this many pixels of height.
    static constexpr int kPixelsPerPoint = 80;
    static constexpr int kMinFontPoints = 8;
    // The label's top: 95 % of the monitor's height, but at least this far above its bottom.
    static constexpr float kTopShare = 0.95f;
    static constexpr int kMinGapToBottom = 22;
};

// Speed, colour, font and waiting place for a monitor. The label is not
// scheduled here; the first message finds it disabled once.
void configureBottomLine(TzerinSpriteText& label, const keslRect<int>& mainMonitor);

// Just beyond the monitor's right edge, where the label waits.
float bottomLineWaitingX(const keslRect<int>& mainMonitor);
