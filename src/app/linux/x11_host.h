// The sky on an X display: in a window of its own, on the root window, or in
// a window someone else made (XScreenSaver hands its hacks one per monitor).
// Frames follow each other every 0.04 s; between them the host waits on the
// X connection, so input, a closing window manager and signals are answered
// at once and the frame itself never sleeps.
#pragma once

#include "app/linux/linux_options.h"

#include <string>

struct orvanelX11Result {
    int exitCode = 0;
    // Empty on success; otherwise what to tell the user.
    std::string error;
};

// For ownWindow, rootWindow and foreignWindow.
orvanelX11Result runOnX11(const orvanelLinuxOptions& options);
