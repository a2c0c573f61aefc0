// Entry point of the Windows screensaver module.
#include "app/log_at_start.h"
#include "util/log_guards.h"

#include <windows.h>

namespace {
const keslLogAtProcessStart g_logAtStart;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    logFunctionLife life("WinMain");
    logInfo("Command line:%s", commandLine ? commandLine : "");
    return 0;
}
