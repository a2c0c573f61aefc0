// What only the X server can answer, added for the length of an X11 run to
// the platform's own system services: where the cursor is, the monitors, and
// keeping the screen awake. Keeping awake holds off the X server's own
// screensaver and display power saving, and only in a window of the
// program's own: under XScreenSaver (its window, or the root) blanking is
// XScreenSaver's business. Monitors matter only on the root window, which
// spans them all; any other window is one region.
#pragma once

#include "system/system_layer.h"

#include <X11/Xlib.h>

class keslX11SystemServices final : public keslSystemLayer {
public:
    // Installs itself until destroyed; display is borrowed.
    keslX11SystemServices(Display* display, bool mayKeepAwake, bool reportsMonitors);
    ~keslX11SystemServices() override;

    // From RandR, else Xinerama; the primary monitor first.
    std::vector<keslRect<int>> monitorRects() const override;
    bool cursorPosition(keslPoint<long>& out) const override;
    bool keepAwake(bool on) override;

private:
    Display* m_display;
    bool m_mayKeepAwake;
    bool m_reportsMonitors;
    bool m_suspended = false;
};
