#include "world/msg_bottom_line.h"

#include "sprites/sprite_text.h"

#include <algorithm>

float bottomLineWaitingX(const keslRect<int>& mainMonitor) { return static_cast<float>(mainMonitor.getRight() + 1); }

void configureBottomLine(TzerinSpriteText& label, const keslRect<int>& mainMonitor) {
    label.speedX = -static_cast<float>(mainMonitor.width) / cBottomLineLook::kCrossingSeconds;
    label.speedY = 0.0f;
    label.textParams.color = cBottomLineLook::kColor;
    const int points = std::max(cBottomLineLook::kMinFontPoints, mainMonitor.height / cBottomLineLook::kPixelsPerPoint);
    label.textParams.fontSize = static_cast<float>(points);
    label.x = bottomLineWaitingX(mainMonitor);
    // Measured from the monitor's own top, so the line stays on the main
    // monitor when another monitor sits above it in the window.
    const float fromTop = std::min(static_cast<float>(mainMonitor.height) * cBottomLineLook::kTopShare,
                                   static_cast<float>(mainMonitor.height - cBottomLineLook::kMinGapToBottom));
    label.y = static_cast<float>(mainMonitor.top) + fromTop;
    label.sizeValid = false;
    label.disable();
}
