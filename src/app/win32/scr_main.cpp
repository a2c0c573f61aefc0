// Entry point of the Windows screensaver module: skip the program's own name
// on the command line and let the host run the requested mode.
#include "app/command_line.h"
#include "app/log_at_start.h"
#include "app/win32/host.h"

namespace {
const keslLogAtProcessStart g_logAtStart;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const int exitCode = hostMain(instance, skipProgramName(GetCommandLineA()));
    ExitProcess(static_cast<UINT>(exitCode));
}
