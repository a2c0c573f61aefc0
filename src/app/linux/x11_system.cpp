#include "app/linux/x11_system.h"

#include "app/draw_regions.h"
#include "util/log.h"

#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/scrnsaver.h>

namespace {

std::vector<keslRect<int>> randrMonitors(Display* display) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor)) return {};
    if (major < 1 || (major == 1 && minor < 5)) return {};
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
    if (!monitors) return {};
    std::vector<keslRect<int>> rects;
    int primary = 0;
    for (int i = 0; i < count; ++i) {
        rects.emplace_back(monitors[i].y, monitors[i].x, monitors[i].width, monitors[i].height);
        if (monitors[i].primary) primary = i;
    }
    XRRFreeMonitors(monitors);
    return monitorsPrimaryFirst(rects, primary);
}

std::vector<keslRect<int>> xineramaMonitors(Display* display) {
    int eventBase = 0, errorBase = 0;
    if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display)) return {};
    int count = 0;
    XineramaScreenInfo* screens = XineramaQueryScreens(display, &count);
    if (!screens) return {};
    std::vector<keslRect<int>> rects;
    for (int i = 0; i < count; ++i) rects.emplace_back(screens[i].y_org, screens[i].x_org, screens[i].width, screens[i].height);
    XFree(screens);
    return rects;
}

}  // namespace

keslX11SystemServices::keslX11SystemServices(Display* display, bool mayKeepAwake, bool reportsMonitors)
    : m_display(display),
      m_mayKeepAwake(mayKeepAwake),
      m_reportsMonitors(reportsMonitors) {}

std::vector<keslRect<int>> keslX11SystemServices::monitorRects() const {
    if (!m_reportsMonitors) return below().monitorRects();
    std::vector<keslRect<int>> monitors = randrMonitors(m_display);
    // One monitor from RandR is also what a server without its monitor list says.
    if (monitors.size() <= 1) {
        std::vector<keslRect<int>> screens = xineramaMonitors(m_display);
        if (screens.size() > monitors.size()) monitors = std::move(screens);
    }
    // After a change to a smaller mode RandR still lists the monitors of the
    // larger one; only their visible part may hold the moon or a message.
    const int screen = DefaultScreen(m_display);
    return monitorsWithin(keslRect<int>(0, 0, DisplayWidth(m_display, screen), DisplayHeight(m_display, screen)),
                          monitors);
}

keslX11SystemServices::~keslX11SystemServices() {
    if (m_suspended) keepAwake(false);
}

bool keslX11SystemServices::cursorPosition(keslPoint<long>& out) const {
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int buttons = 0;
    if (!XQueryPointer(m_display, DefaultRootWindow(m_display), &root, &child, &rootX, &rootY, &windowX, &windowY,
                       &buttons)) {
        return false;
    }
    out = {rootX, rootY};
    return true;
}

bool keslX11SystemServices::keepAwake(bool on) {
    if (!m_mayKeepAwake) {
        if (on) logInfo("Keeping the screen awake is left to XScreenSaver, which shows this sky");
        return false;
    }
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XScreenSaverQueryExtension(m_display, &eventBase, &errorBase) ||
        !XScreenSaverQueryVersion(m_display, &major, &minor) || major < 1 || (major == 1 && minor < 1)) {
        if (on) logWarning("The X server cannot suspend its screensaver (no MIT-SCREEN-SAVER 1.1)");
        return false;
    }
    XScreenSaverSuspend(m_display, on ? True : False);
    XFlush(m_display);
    m_suspended = on;
    return true;
}
