// The sky on a Wayland compositor through layer-shell: one surface per
// output, each showing its own region of one sky whose first output holds
// the messages. As a screensaver the surfaces cover everything and take the
// keyboard, and input ends the run; as a wallpaper they lie behind every
// window and take no input. Outputs may come and go during a run: the sky is
// built anew for the new set, as on X11 when the screens change. Frames
// follow each other every 0.04 s; an output gets the next frame only when the
// compositor has shown its last one.
#pragma once

#include "app/linux/linux_options.h"

#include <string>

struct orvanelWaylandResult {
    int exitCode = 0;
    // Empty on success; otherwise what to tell the user.
    std::string error;
};

// For waylandScreensaver and waylandWallpaper.
orvanelWaylandResult runOnWayland(const orvanelLinuxOptions& options);
