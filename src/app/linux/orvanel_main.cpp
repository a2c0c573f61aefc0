// Entry point of the native Linux program: reads what it is asked to do and
// hands over to the host for it.
#include "app/linux/headless_host.h"
#include "app/linux/linux_folders.h"
#include "app/linux/linux_options.h"
#include "app/linux/sky_report_command.h"
#include "app/linux/stop_signals.h"
#include "app/linux/x11_host.h"
#include "app/log_at_start.h"
#include "app/wayland/wayland_host.h"
#include "settings/settings.h"
#include "util/log_guards.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
const keslLogAtProcessStart g_logAtStart;

void logCommandLine(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) logInfo("arg[%i]:%s", i, argv[i]);
}

int reportFailure(int exitCode, const std::string& error) {
    if (!error.empty()) std::fprintf(stderr, "orvanel: %s\n", error.c_str());
    return exitCode;
}

int runHeadlessAndSay(const orvanelLinuxOptions& options) {
    const orvanelHeadlessResult result = runHeadless(options);
    if (result.exitCode != 0) return reportFailure(result.exitCode, result.error);
    std::printf("orvanel: %i frames of %ix%i written to %s\n", result.framesWritten, options.width, options.height,
                options.outFolder.c_str());
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    logFunctionLife life("main");
    logCommandLine(argc, argv);
    const orvanelLinuxArguments arguments =
        parseLinuxArguments(std::vector<std::string>(argv + 1, argv + argc), std::getenv("XSCREENSAVER_WINDOW"));
    if (!arguments.error.empty()) {
        std::fprintf(stderr, "orvanel: %s\nTry 'orvanel --help'.\n", arguments.error.c_str());
        return kExitBadArguments;
    }
    const orvanelLinuxOptions& options = arguments.options;
    if (options.mode == orvanelLinuxMode::help) {
        std::fputs(linuxUsageText().c_str(), stdout);
        return 0;
    }
    if (options.mode == orvanelLinuxMode::skyReport) return runSkyReport(options);
    installStopSignalHandlers();
    ensureAppDataFolder();
    applySettingOverrides(options.settingOverrides, applicationSettings());
    if (options.mode == orvanelLinuxMode::headless) return runHeadlessAndSay(options);
    if (options.mode == orvanelLinuxMode::waylandScreensaver || options.mode == orvanelLinuxMode::waylandWallpaper) {
        const orvanelWaylandResult result = runOnWayland(options);
        return reportFailure(result.exitCode, result.error);
    }
    const orvanelX11Result result = runOnX11(options);
    return reportFailure(result.exitCode, result.error);
}
