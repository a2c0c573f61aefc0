// --sky-report: prints where the sky's objects stand for a moment and place
// as JSON on standard output, for a person or a check to read.
#pragma once

#include "app/linux/linux_options.h"

// Exit code of the program.
int runSkyReport(const orvanelLinuxOptions& options);
