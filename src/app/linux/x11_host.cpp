#include "app/linux/x11_host.h"

#include "app/linux/linux_run.h"
#include "app/linux/run_end.h"
#include "app/linux/stop_signals.h"
#include "app/linux/x11_errors.h"
#include "app/linux/x11_presenter.h"
#include "app/linux/x11_system.h"
#include "system/system_services.h"
#include "util/log.h"
#include "util/log_guards.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <poll.h>

namespace {

constexpr const char* kWindowTitle = "Orvanel";
constexpr const char* kWindowClass = "orvanel";

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// The window this program made, destroyed with the run.
class OwnWindow {
public:
    OwnWindow(Display* display, int width, int height) : m_display(display) {
        const int screen = DefaultScreen(display);
        m_window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                                       static_cast<unsigned>(height), 0, BlackPixel(display, screen),
                                       BlackPixel(display, screen));
        nameWindow();
        // The back buffer keeps its first size, so the window keeps it too.
        XSizeHints* hints = XAllocSizeHints();
        hints->flags = PMinSize | PMaxSize;
        hints->min_width = hints->max_width = width;
        hints->min_height = hints->max_height = height;
        XSetWMNormalHints(display, m_window, hints);
        XFree(hints);
        m_deleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display, m_window, &m_deleteAtom, 1);
        XSelectInput(display, m_window, KeyPressMask | StructureNotifyMask | ExposureMask);
        XMapWindow(display, m_window);
    }
    ~OwnWindow() { XDestroyWindow(m_display, m_window); }
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;

    Window id() const { return m_window; }
    Atom deleteAtom() const { return m_deleteAtom; }

private:
    void nameWindow() {
        XStoreName(m_display, m_window, kWindowTitle);
        const Atom utf8 = XInternAtom(m_display, "UTF8_STRING", False);
        const Atom netName = XInternAtom(m_display, "_NET_WM_NAME", False);
        XChangeProperty(m_display, m_window, netName, utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(kWindowTitle), 7);
        XClassHint classHint;
        classHint.res_name = const_cast<char*>(kWindowClass);
        classHint.res_class = const_cast<char*>(kWindowTitle);
        XSetClassHint(m_display, m_window, &classHint);
    }

    Display* m_display;
    Window m_window = 0;
    Atom m_deleteAtom = 0;
};

std::string hexId(Window window) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(window));
    return text;
}

// What the frames go into, read from the server.
bool describeTarget(Display* display, Window window, keslX11Target& target, std::string& error) {
    XWindowAttributes attributes{};
    {
        keslX11QuietErrors quiet(display);
        if (!XGetWindowAttributes(display, window, &attributes) || quiet.failed()) {
            error = "there is no window " + hexId(window) + " on this display";
            return false;
        }
    }
    if (attributes.c_class == InputOnly) {
        error = "the window cannot be drawn into (it is input-only)";
        return false;
    }
    target = {display, window, attributes.visual, attributes.depth, attributes.width, attributes.height};
    return true;
}

using RunEnd = orvanelRunEnd;

class EventPump {
public:
    // randrEventBase: where RandR's events begin, or -1 when they do not matter.
    EventPump(Display* display, Window window, Atom deleteAtom, int randrEventBase)
        : m_display(display), m_window(window), m_deleteAtom(deleteAtom), m_randrEventBase(randrEventBase) {}

    // A change of the screens comes as several events: all of them make one change.
    // True once after the window was uncovered.
    bool takeExposed() {
        const bool exposed = m_exposed;
        m_exposed = false;
        return exposed;
    }

    RunEnd handlePending() {
        RunEnd pending = RunEnd::running;
        while (XPending(m_display) > 0) {
            XEvent event;
            XNextEvent(m_display, &event);
            const RunEnd end = handle(event);
            if (end == RunEnd::screensChanged) {
                pending = end;
            } else if (end != RunEnd::running) {
                return end;
            }
        }
        return pending;
    }

private:
    RunEnd handle(XEvent& event) {
        if (m_randrEventBase >= 0 &&
            (event.type == m_randrEventBase + RRScreenChangeNotify || event.type == m_randrEventBase + RRNotify)) {
            XRRUpdateConfiguration(&event);
            return RunEnd::screensChanged;
        }
        if (event.xany.window != m_window) return RunEnd::running;
        switch (event.type) {
            case KeyPress:
                return XLookupKeysym(&event.xkey, 0) == XK_Escape ? RunEnd::closedByUser : RunEnd::running;
            case ClientMessage:
                return static_cast<Atom>(event.xclient.data.l[0]) == m_deleteAtom && m_deleteAtom != 0
                           ? RunEnd::closedByUser
                           : RunEnd::running;
            case DestroyNotify:
                return RunEnd::windowGone;
            case Expose:
                m_exposed = true;
                return RunEnd::running;
            default:
                return RunEnd::running;
        }
    }

    Display* m_display;
    Window m_window;
    Atom m_deleteAtom;
    int m_randrEventBase;
    bool m_exposed = false;
};

// On the root window a monitor plugged in or out changes the regions: ask
// RandR to say so. Returns its event base, or -1.
int watchScreenChanges(Display* display, Window window) {
    int eventBase = 0, errorBase = 0;
    if (window != DefaultRootWindow(display) || !XRRQueryExtension(display, &eventBase, &errorBase)) return -1;
    XRRSelectInput(display, window, RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
    return eventBase;
}

// Waits on the X connection until the next frame is due, waking for events
// and signals.
class FramePacer {
public:
    explicit FramePacer(Display* display) : m_fd(ConnectionNumber(display)), m_next(now()) {}

    void waitForNextFrame(EventPump& events, RunEnd& end) {
        m_next = nextFrameDue(m_next, now());
        while (end == RunEnd::running && !stopRequested()) {
            end = events.handlePending();
            const double remaining = m_next - now();
            if (end != RunEnd::running || remaining <= 0.0) return;
            pollfd wanted{m_fd, POLLIN, 0};
            poll(&wanted, 1, static_cast<int>(std::ceil(remaining * 1000.0)));
        }
    }

private:
    static double now() { return keslSystemServices().monotonicSeconds(); }

    int m_fd;
    double m_next;
};

orvanelX11Result failure(const std::string& text) {
    logError("#7302: %s", text.c_str());
    return {kExitCannotRun, text};
}

// A window over the presenter's image; it borrows the presenter, which must outlive it.
std::unique_ptr<keslWindow> windowOver(keslX11Presenter& presenter, const keslX11Target& target) {
    auto window =
        std::make_unique<keslWindow>(keslRect<int>(0, 0, target.width, target.height), presenter.backBufferMemory());
    keslX11Presenter* shown = &presenter;
    const keslWindow* frames = window.get();
    window->setPresenter([shown, frames](const keslPixelSurface& frame) { shown->present(frame, frames->damage()); });
    return window;
}

RunEnd runFrames(Display* display, orvanelLinuxRun& run, keslX11Presenter& presenter, Window window, Atom deleteAtom,
                 int randrEventBase) {
    EventPump events(display, window, deleteAtom, randrEventBase);
    FramePacer pacer(display);
    const unsigned long errorsBefore = x11ErrorCount();
    RunEnd end = RunEnd::running;
    while (end == RunEnd::running && !stopRequested()) {
        if (run.closeRequested()) return RunEnd::closedByApp;
        if (events.takeExposed()) presenter.presentWholeNext();
        run.runFrame();
        // XScreenSaver may destroy its window before it signals us.
        if (x11ErrorCount() != errorsBefore) return RunEnd::windowGone;
        pacer.waitForNextFrame(events, end);
    }
    return end == RunEnd::running ? RunEnd::signalled : end;
}

}  // namespace

orvanelX11Result runOnX11(const orvanelLinuxOptions& options) {
    logFunctionLife life("runOnX11()");
    DisplayPtr display(XOpenDisplay(nullptr));
    if (!display) {
        const char* name = std::getenv("DISPLAY");
        return failure(std::string("cannot open the X display \"") + (name ? name : "") +
                       "\"; use --headless to render PNG frames without one");
    }
    installX11ErrorHandler();

    std::unique_ptr<OwnWindow> ownWindow;
    Window window = 0;
    switch (options.mode) {
        case orvanelLinuxMode::ownWindow:
            ownWindow = std::make_unique<OwnWindow>(display.get(), options.width, options.height);
            window = ownWindow->id();
            break;
        case orvanelLinuxMode::rootWindow:
            window = DefaultRootWindow(display.get());
            break;
        default:
            window = static_cast<Window>(options.windowId);
            break;
    }

    // To learn that XScreenSaver took its window away, and (frames show only
    // what changed) that an uncovered part must be sent again whole.
    if (options.mode == orvanelLinuxMode::foreignWindow) {
        XSelectInput(display.get(), window, StructureNotifyMask | ExposureMask);
    } else if (options.mode == orvanelLinuxMode::rootWindow) {
        XSelectInput(display.get(), window, ExposureMask);
    }
    const bool onRoot = options.mode == orvanelLinuxMode::rootWindow;
    const keslX11SystemServices services(display.get(), options.mode == orvanelLinuxMode::ownWindow, onRoot);
    const int randrEventBase = watchScreenChanges(display.get(), window);

    // A change of the screens builds the sky anew for the new monitors and
    // size; the run itself, with all that belongs to its start, goes on.
    // The presenter is declared first so that it outlives the window of the run.
    std::unique_ptr<keslX11Presenter> presenter;
    std::unique_ptr<orvanelLinuxRun> run;
    RunEnd end = RunEnd::screensChanged;
    while (end == RunEnd::screensChanged) {
        keslX11Target target;
        std::string error;
        if (!describeTarget(display.get(), window, target, error)) return failure(error);
        logInfo("Drawing into X window 0x%lx, %ix%i", static_cast<unsigned long>(window), target.width, target.height);
        auto nextPresenter = std::make_unique<keslX11Presenter>(target);
        std::unique_ptr<keslWindow> frameWindow = windowOver(*nextPresenter, target);
        if (run) {
            run->changeScreens(std::move(frameWindow));
        } else {
            run = std::make_unique<orvanelLinuxRun>(std::move(frameWindow));
        }
        // The sky of the new window outlines its changes as the last one did.
        run->showDirty(options.showDirty);
        // The old window is gone with the change, so its presenter may go too.
        presenter = std::move(nextPresenter);
        end = runFrames(display.get(), *run, *presenter, window, ownWindow ? ownWindow->deleteAtom() : 0,
                        randrEventBase);
        logRunEnd("X11", end);
    }
    return {};
}
