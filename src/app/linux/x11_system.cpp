#include "app/linux/x11_system.h"

#include "util/log.h"

#include <X11/extensions/scrnsaver.h>

keslX11SystemServices::keslX11SystemServices(Display* display, bool mayKeepAwake)
    : m_platform(keslSystemServices()),
      m_replaced(installSystemServices(this)),
      m_display(display),
      m_mayKeepAwake(mayKeepAwake) {}

keslX11SystemServices::~keslX11SystemServices() {
    if (m_suspended) keepAwake(false);
    installSystemServices(m_replaced);
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
