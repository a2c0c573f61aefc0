#include "app/linux/x11_errors.h"

#include "util/log.h"

#include <atomic>

namespace {

std::atomic<unsigned long> g_errorCount{0};
std::atomic<bool> g_quiet{false};

int onXError(Display* display, XErrorEvent* event) {
    ++g_errorCount;
    if (g_quiet) return 0;
    char text[256] = {0};
    XGetErrorText(display, event->error_code, text, sizeof text);
    logError("#7303: X error: %s (request %i.%i, resource 0x%lx)", text, static_cast<int>(event->request_code),
             static_cast<int>(event->minor_code), static_cast<unsigned long>(event->resourceid));
    return 0;
}

int onXIoError(Display*) {
    // Xlib ends the process right after this returns.
    logError("#7304: the connection to the X server was lost");
    return 0;
}

}  // namespace

void installX11ErrorHandler() {
    XSetErrorHandler(onXError);
    XSetIOErrorHandler(onXIoError);
}

unsigned long x11ErrorCount() { return g_errorCount; }

keslX11QuietErrors::keslX11QuietErrors(Display* display) : m_display(display) {
    XSync(m_display, False);
    m_countAtStart = g_errorCount;
    g_quiet = true;
}

keslX11QuietErrors::~keslX11QuietErrors() {
    XSync(m_display, False);
    g_quiet = false;
}

bool keslX11QuietErrors::failed() {
    XSync(m_display, False);
    return g_errorCount != m_countAtStart;
}
