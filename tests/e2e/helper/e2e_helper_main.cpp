// A small Windows program the end-to-end checks use beside the module:
//   find                 prints the running screensaver window: class, title,
//                        rectangle and whether it is top-most
//   parent W H SECONDS   opens a W x H window, prints its handle, and after
//                        SECONDS prints its child window (class, title, client
//                        size) and destroys itself (the preview's host dialog)
//   foreground           prints the title of the foreground window
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int findScreensaver() {
    const HWND window = FindWindowA("WindowsScreenSaverClass", "Screen Saver");
    if (!window) {
        std::puts("none");
        return 1;
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    const LONG_PTR extended = GetWindowLongPtrA(window, GWL_EXSTYLE);
    std::printf("found %ld %ld %ld %ld %s\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                (extended & WS_EX_TOPMOST) ? "topmost" : "normal");
    return 0;
}

constexpr UINT_PTR kLifetimeTimer = 1;

void reportChild(HWND parent) {
    const HWND child = GetWindow(parent, GW_CHILD);
    if (!child) {
        std::puts("child none");
        std::fflush(stdout);
        return;
    }
    char className[128] = {};
    char title[128] = {};
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, title, sizeof title);
    RECT client{};
    GetClientRect(child, &client);
    std::printf("child %s %s %ld %ld\n", className, title, client.right, client.bottom);
    std::fflush(stdout);
}

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            reportChild(window);
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

int openParent(int width, int height, int seconds) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = parentProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.style = 0;
    windowClass.lpszClassName = "OrvanelPreviewParent";
    RegisterClassA(&windowClass);
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, WS_POPUP, FALSE);
    const HWND window = CreateWindowExA(0, "OrvanelPreviewParent", "Preview host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                        windowClass.hInstance, nullptr);
    if (!window) return 1;
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    std::fflush(stdout);
    SetTimer(window, kLifetimeTimer, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

int printForeground() {
    char title[256] = {};
    GetWindowTextA(GetForegroundWindow(), title, sizeof title);
    std::printf("%s\n", title);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "find") == 0) return findScreensaver();
    if (argc >= 5 && std::strcmp(argv[1], "parent") == 0) {
        return openParent(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    }
    if (argc >= 2 && std::strcmp(argv[1], "foreground") == 0) return printForeground();
    std::fputs("usage: orvanel_e2e_helper find | parent W H SECONDS | foreground\n", stderr);
    return 2;
}
