#include "app/linux/linux_options.h"

#include "app/linux/moment_and_place.h"
#include "settings/setting_keys.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

// XScreenSaver's own hacks take single-dash long options ("-root"); accept
// both spellings so either kind of programs list works.
std::string normalisedName(const std::string& arg) {
    if (arg.size() > 2 && arg[0] == '-' && arg[1] == '-') return arg.substr(2);
    if (arg.size() > 1 && arg[0] == '-') return arg.substr(1);
    return std::string();
}

bool parseWindowId(const std::string& text, unsigned long& out) {
    if (text.empty() || text[0] == '-') return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || value == 0) return false;
    out = value;
    return true;
}

bool parseSide(const std::string& text, int& out) {
    if (text.empty() || text.size() > 6) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    const int value = std::atoi(text.c_str());
    if (value < 1 || value > kMaxSide) return false;
    out = value;
    return true;
}

bool parseSize(const std::string& text, int& width, int& height) {
    const size_t cross = text.find_first_of("xX");
    if (cross == std::string::npos) return false;
    return parseSide(text.substr(0, cross), width) && parseSide(text.substr(cross + 1), height);
}

bool parseSeconds(const std::string& text, double& out) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value) || value <= 0.0 || value > kMaxHeadlessSeconds) return false;
    out = value;
    return true;
}

bool parsePositiveInt(const std::string& text, int& out) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    const int value = std::atoi(text.c_str());
    if (value < 1) return false;
    out = value;
    return true;
}

class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& args) : m_args(args) {}

    orvanelLinuxArguments read(const char* xscreensaverWindow) {
        for (m_index = 0; m_index < m_args.size(); ++m_index) readOne(m_args[m_index]);
        if (m_help) {
            m_result.options.mode = orvanelLinuxMode::help;
            m_result.error.clear();
            return m_result;
        }
        if (m_result.error.empty()) settleMode(xscreensaverWindow);
        return m_result;
    }

private:
    void readOne(const std::string& arg) {
        std::string name = normalisedName(arg);
        std::string inlineValue;
        m_hasInlineValue = false;
        const size_t equals = name.find('=');
        if (equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name = name.substr(0, equals);
            m_hasInlineValue = true;
        }
        m_inlineValue = inlineValue;
        orvanelLinuxOptions& o = m_result.options;

        if (name == "help" || name == "h") {
            m_help = true;
        } else if (name == "window") {
            chooseMode(orvanelLinuxMode::ownWindow, arg);
        } else if (name == "root") {
            chooseMode(orvanelLinuxMode::rootWindow, arg);
        } else if (name == "window-id") {
            std::string value;
            if (!takeValue(arg, value)) return;
            if (!parseWindowId(value, o.windowId)) return fail("not a window id: \"" + value + "\"");
            chooseMode(orvanelLinuxMode::foreignWindow, arg);
        } else if (name == "show-dirty") {
            if (m_hasInlineValue) return fail(arg + " takes no value");
            o.showDirty = true;
        } else if (name == "headless") {
            chooseMode(orvanelLinuxMode::headless, arg);
        } else if (name == "wayland") {
            chooseMode(orvanelLinuxMode::waylandScreensaver, arg);
        } else if (name == "wayland-wallpaper") {
            chooseMode(orvanelLinuxMode::waylandWallpaper, arg);
        } else if (name == "size") {
            std::string value;
            if (!takeValue(arg, value)) return;
            if (!parseSize(value, o.width, o.height)) {
                return fail("--size wants WIDTHxHEIGHT with sides from 1 to " + std::to_string(kMaxSide) + ", not \"" +
                            value + "\"");
            }
            o.sizeGiven = true;
        } else if (name == "seconds") {
            std::string value;
            if (!takeValue(arg, value)) return;
            if (!parseSeconds(value, o.seconds)) return fail("--seconds wants a positive number of seconds, not \"" + value + "\"");
            m_headlessOnly = arg;
        } else if (name == "out") {
            std::string value;
            if (!takeValue(arg, value)) return;
            if (value.empty()) return fail("--out wants a folder");
            o.outFolder = value;
            m_headlessOnly = arg;
        } else if (name == "every") {
            std::string value;
            if (!takeValue(arg, value)) return;
            if (!parsePositiveInt(value, o.everyNthFrame)) return fail("--every wants a whole number from 1, not \"" + value + "\"");
            m_headlessOnly = arg;
        } else if (name == "sky-report") {
            chooseMode(orvanelLinuxMode::skyReport, arg);
        } else if (name == "at") {
            std::string value;
            if (!takeValue(arg, value)) return;
            if (!parseIsoUtc(value, o.atUnixSeconds)) {
                return fail("--at wants a UTC time such as 2026-03-20T21:30:00Z, not \"" + value + "\"");
            }
            o.atGiven = true;
            m_reportOnly = arg;
        } else if (const orvanelSettingOption* option = findSettingOption(name)) {
            readSettingOption(*option, arg);
        } else {
            fail("unknown argument \"" + arg + "\"");
        }
    }

    void readSettingOption(const orvanelSettingOption& option, const std::string& arg) {
        std::string value;
        if (!option.valueHint) {
            if (m_hasInlineValue) return fail(arg + " takes no value");
        } else if (!takeValue(arg, value)) {
            return;
        }
        if (!option.toOverrides(value, m_result.options.settingOverrides)) {
            fail(std::string("--") + option.name + " wants " + (option.wants ? option.wants : option.valueHint) + ", not \"" +
                 value + "\"");
        }
    }

    bool takeValue(const std::string& arg, std::string& value) {
        if (m_hasInlineValue) {
            value = m_inlineValue;
            return true;
        }
        if (m_index + 1 >= m_args.size()) {
            fail(arg + " wants a value");
            return false;
        }
        value = m_args[++m_index];
        return true;
    }

    void chooseMode(orvanelLinuxMode mode, const std::string& arg) {
        if (!m_modeArg.empty() && m_result.options.mode != mode) {
            return fail(m_modeArg + " and " + arg + " cannot be combined");
        }
        m_result.options.mode = mode;
        m_modeArg = arg;
    }

    void settleMode(const char* xscreensaverWindow) {
        orvanelLinuxOptions& o = m_result.options;
        // XScreenSaver runs its hacks with -root and names the window it made
        // for them in the variable: that window is their root.
        const bool rootOrNothing = m_modeArg.empty() || o.mode == orvanelLinuxMode::rootWindow;
        if (rootOrNothing && xscreensaverWindow && *xscreensaverWindow) {
            if (!parseWindowId(xscreensaverWindow, o.windowId)) {
                return fail(std::string("XSCREENSAVER_WINDOW is not a window id: \"") + xscreensaverWindow + "\"");
            }
            o.mode = orvanelLinuxMode::foreignWindow;
            m_modeArg = "XSCREENSAVER_WINDOW";
        }
        if (!m_headlessOnly.empty() && o.mode != orvanelLinuxMode::headless) {
            return fail(m_headlessOnly + " needs --headless");
        }
        if (!m_reportOnly.empty() && o.mode != orvanelLinuxMode::skyReport) {
            return fail(m_reportOnly + " needs --sky-report");
        }
        if (o.mode == orvanelLinuxMode::skyReport) takeReportPlace();
        const bool sizeFixedByOthers = o.mode == orvanelLinuxMode::rootWindow || o.mode == orvanelLinuxMode::foreignWindow ||
                                       o.mode == orvanelLinuxMode::waylandScreensaver ||
                                       o.mode == orvanelLinuxMode::waylandWallpaper;
        if (o.sizeGiven && sizeFixedByOthers) return fail("--size cannot be combined with " + m_modeArg);
    }

    // --place is the sky's setting for a run, and the report's place too.
    void takeReportPlace() {
        orvanelLinuxOptions& o = m_result.options;
        std::string latitude, longitude;
        for (const orvanelSettingOverride& setting : o.settingOverrides) {
            if (setting.key == settingKeys::skyLatitude.name) latitude = setting.value;
            if (setting.key == settingKeys::skyLongitude.name) longitude = setting.value;
        }
        if (latitude.empty()) return;
        o.placeGiven = parsePlace(latitude + "," + longitude, o.place);
    }

    void fail(const std::string& text) {
        if (m_result.error.empty()) m_result.error = text;
    }

    const std::vector<std::string>& m_args;
    size_t m_index = 0;
    orvanelLinuxArguments m_result;
    std::string m_modeArg;
    std::string m_headlessOnly;
    std::string m_reportOnly;
    std::string m_inlineValue;
    bool m_hasInlineValue = false;
    bool m_help = false;
};

}  // namespace

orvanelLinuxArguments parseLinuxArguments(const std::vector<std::string>& args, const char* xscreensaverWindow) {
    return ArgumentReader(args).read(xscreensaverWindow);
}

std::string linuxUsageText() {
    return "Usage: orvanel [--window [--size WxH] | --root | --window-id ID |\n"
           "               --wayland | --wayland-wallpaper | --headless [options]] [settings]\n"
           "Orvanel, a night-sky screensaver.\n"
           "\n"
           "  --window          show the sky in a window of its own (the default);\n"
           "                    Escape or the window manager closes it\n"
           "  --size WxH        the window's or the frames' size in pixels (default 960x600)\n"
           "  --root            draw on the root window (under XScreenSaver: on the\n"
           "                    window XSCREENSAVER_WINDOW names)\n"
           "  --window-id ID    draw into an existing window (decimal or 0x hex), as\n"
           "                    XScreenSaver asks; XSCREENSAVER_WINDOW does the same\n"
           "  --wayland         the screensaver on a Wayland compositor with layer-shell\n"
           "                    (sway, Hyprland, river, KDE Plasma): every output, until\n"
           "                    a key, a click or a move of the pointer\n"
           "  --wayland-wallpaper\n"
           "                    the sky as the live wallpaper of every output, behind\n"
           "                    the windows, until SIGTERM or the compositor closes it\n"
           "  --headless        render without a display and write PNG frames:\n"
           "    --seconds S     seconds of animation (default 10)\n"
           "    --out DIR       folder for the frames, made if missing (default out)\n"
           "    --every N       keep every Nth frame of 0.04 s (default 25, one per second)\n"
           "  --show-dirty      outline what each frame draws (only what changed)\n"
           "  --sky-report      print where the sun, moon, planets and brightest stars\n"
           "                    stand, as JSON, and end:\n"
           "    --at TIME       the moment in UTC, e.g. 2026-03-20T21:30:00Z (default now)\n"
           "    --place LAT,LON degrees, south and west negative (default: from the\n"
           "                    time zone)\n"
           "    --size WxH      add each visible object's pixel x, y on a view this size\n"
           "  --help            this text\n"
           "\n" +
           settingOptionsUsage() +
           "\n"
           "Single-dash spellings (-root, -window-id) work too. SIGTERM or SIGINT ends\n"
           "the program cleanly. Settings: $XDG_CONFIG_HOME (~/.config)/Orvanel software/;\n"
           "log: $TMPDIR (/tmp)/Orvanel.keslLog.txt.\n";
}
