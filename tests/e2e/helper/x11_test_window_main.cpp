// The Linux checks' companion: makes a plain window for the program to draw
// into (as XScreenSaver hands its hacks one), or asks a window to close the
// way a window manager does.
//   x11_test_window window W H X Y   prints the new window's id, then waits to be killed
//   x11_test_window close ID         sends WM_DELETE_WINDOW to that window
//   x11_test_window paint-root       paints the root window in the same colour
//   x11_test_window saver-state      prints the X server's screensaver state: on, off or disabled
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/scrnsaver.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A colour the sky never has, so a screenshot tells the window's own
// background from anything drawn into it.
constexpr unsigned long kBackground = 0xFF00FF;

int makeWindow(Display* display, char** argv) {
    const unsigned width = static_cast<unsigned>(std::atoi(argv[2]));
    const unsigned height = static_cast<unsigned>(std::atoi(argv[3]));
    const int x = std::atoi(argv[4]);
    const int y = std::atoi(argv[5]);
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, width, height, 0, 0, kBackground);
    XStoreName(display, window, "orvanel test window");
    XMapWindow(display, window);
    XSync(display, False);
    std::printf("%lu\n", static_cast<unsigned long>(window));
    std::fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
    }
}

int closeWindow(Display* display, const char* idText) {
    const Window window = static_cast<Window>(std::strtoul(idText, nullptr, 0));
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return 0;
}

int paintRoot(Display* display) {
    const Window root = DefaultRootWindow(display);
    XSetWindowBackground(display, root, kBackground);
    XClearWindow(display, root);
    XSync(display, False);
    return 0;
}

int printSaverState(Display* display) {
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    if (!info || !XScreenSaverQueryInfo(display, DefaultRootWindow(display), info)) {
        std::fprintf(stderr, "no screensaver extension\n");
        return 1;
    }
    const char* state = info->state == ScreenSaverOn ? "on" : info->state == ScreenSaverOff ? "off" : "disabled";
    std::printf("%s\n", state);
    XFree(info);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    int status = 2;
    if (argc == 6 && std::strcmp(argv[1], "window") == 0) {
        status = makeWindow(display, argv);
    } else if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
        status = closeWindow(display, argv[2]);
    } else if (argc == 2 && std::strcmp(argv[1], "paint-root") == 0) {
        status = paintRoot(display);
    } else if (argc == 2 && std::strcmp(argv[1], "saver-state") == 0) {
        status = printSaverState(display);
    } else {
        std::fprintf(stderr, "usage: x11_test_window window W H X Y | close ID | paint-root | saver-state\n");
    }
    XCloseDisplay(display);
    return status;
}
