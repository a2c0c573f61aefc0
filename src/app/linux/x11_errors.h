// Xlib reports protocol errors through one process-wide handler whose
// default ends the program. Ours logs and counts them instead, so a window
// that vanishes (XScreenSaver destroying its window) ends the run cleanly,
// and a probe (can MIT-SHM attach?) can fail quietly.
#pragma once

#include <X11/Xlib.h>

// Logs every error and counts it.
void installX11ErrorHandler();
// Errors seen since the handler was installed.
unsigned long x11ErrorCount();

// While alive, errors are only counted; the logging handler returns after.
class keslX11QuietErrors {
public:
    explicit keslX11QuietErrors(Display* display);
    ~keslX11QuietErrors();
    keslX11QuietErrors(const keslX11QuietErrors&) = delete;
    keslX11QuietErrors& operator=(const keslX11QuietErrors&) = delete;

    // Syncs with the server, then says whether anything failed meanwhile.
    bool failed();

private:
    Display* m_display;
    unsigned long m_countAtStart;
};
