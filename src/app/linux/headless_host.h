// The sky without a display: the same application and the same fixed 0.04 s
// steps as on screen, with every Nth frame written as a PNG file. This is how
// anyone (a person, a test, a later change) looks at the sky on a machine
// without X.
#pragma once

#include "app/linux/linux_options.h"

#include <string>

struct orvanelHeadlessResult {
    int exitCode = 0;
    int framesRun = 0;
    int framesWritten = 0;
    // Empty on success; otherwise what to tell the user.
    std::string error;
};

// Stops early, with exit code 0, once stopRequested() says so.
orvanelHeadlessResult runHeadless(const orvanelLinuxOptions& options);

// "frame-00001.png": frames sort by name in the order they were drawn.
std::string headlessFrameName(int frameNumber);
// How many 0.04 s frames make these seconds; at least one.
int headlessFrameCount(double seconds);
