// What the native program was asked to do, read from its command line and
// from XSCREENSAVER_WINDOW. Kept apart from X11 so a bad command line is
// answered (and tested) without any display.
#pragma once

#include "app/linux/setting_options.h"
#include "astro/sky_frame.h"

#include <string>
#include <vector>

enum class orvanelLinuxMode {
    help,
    ownWindow,  // a window of our own, closed by the window manager or Escape
    rootWindow,
    foreignWindow,  // a window someone else made: XScreenSaver or a test
    headless,
    skyReport,  // where the sky's objects stand, as JSON on standard output
    waylandScreensaver,  // layer-shell overlay on every output, ended by input
    waylandWallpaper,    // layer-shell background of every output, never takes input
};

// The sky when nobody says otherwise.
constexpr int kDefaultWindowWidth = 960;
constexpr int kDefaultWindowHeight = 600;
constexpr double kDefaultHeadlessSeconds = 10.0;
// One frame per second of animation at the fixed 0.04 s step.
constexpr int kDefaultEveryNthFrame = 25;
// Nothing a screen or a PNG viewer would want beyond this per side.
constexpr int kMaxSide = 16384;
// A headless run longer than a day is a typing error, not a wish.
constexpr double kMaxHeadlessSeconds = 24.0 * 3600.0;

struct orvanelLinuxOptions {
    orvanelLinuxMode mode = orvanelLinuxMode::ownWindow;
    int width = kDefaultWindowWidth;
    int height = kDefaultWindowHeight;
    bool sizeGiven = false;
    unsigned long windowId = 0;
    double seconds = kDefaultHeadlessSeconds;
    std::string outFolder = "out";
    int everyNthFrame = kDefaultEveryNthFrame;
    // Outline the rectangles each frame draws.
    bool showDirty = false;
    // The moment and place of --sky-report; the clock and the time zone when not given.
    bool atGiven = false;
    double atUnixSeconds = 0.0;
    bool placeGiven = false;
    sPlace place;
    // Settings tried for this run, in the order given.
    std::vector<orvanelSettingOverride> settingOverrides;
};

struct orvanelLinuxArguments {
    orvanelLinuxOptions options;
    // Empty when the command line was understood; otherwise what to tell the user.
    std::string error;
};

// args excludes the program name. xscreensaverWindow is the variable's value
// (or null): it names the window when the command line names none or asks
// for the root window.
orvanelLinuxArguments parseLinuxArguments(const std::vector<std::string>& args, const char* xscreensaverWindow);

// The --help text.
std::string linuxUsageText();

// Exit codes: 2 for a command line the program does not understand, as
// getopt-style tools do; 1 when the display or the output cannot be used.
constexpr int kExitBadArguments = 2;
constexpr int kExitCannotRun = 1;
