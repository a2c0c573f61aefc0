#include "app/win32/host.h"

#include "app/command_line.h"
#include "app/host_rules.h"

#include <commctrl.h>

namespace {

constexpr DWORD kLeastPasswordCheckIntervalMs = 200;
constexpr DWORD kNoVerificationYet = 0xFFFFFFFF;
constexpr WPARAM kPowerCriticalResume = 3;

using VerifyScreenSavePwdFn = BOOL(WINAPI*)(HWND);
using PwdChangePasswordFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
using ImmAssociateContextFn = HANDLE(WINAPI*)(HWND, HANDLE);

struct HostState {
    HINSTANCE instance = nullptr;
    bool windows9x = false;
    bool preview = false;
    bool closing = false;
    bool verifying = false;
    DWORD lastVerification = kNoVerificationYet;
    HMODULE passwordDll = nullptr;
    VerifyScreenSavePwdFn verifyScreenSavePwd = nullptr;
    HMODULE imm32 = nullptr;
    ImmAssociateContextFn immAssociateContext = nullptr;
    HANDLE detachedInputContext = nullptr;
    POINT reference{};
    HWND window = nullptr;
};

HostState g_host;

// GetProcAddress hands out a generic pointer; going through void* says we know the real type.
template <typename Function>
Function procAddress(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool isWindows9x() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return false;
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

void setScreensaverRunning(bool running) {
    if (!g_host.windows9x) return;
    UINT scratch = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? TRUE : FALSE, &scratch, 0);
}

void unloadPasswordDll() {
    if (!g_host.passwordDll) return;
    FreeLibrary(g_host.passwordDll);
    g_host.passwordDll = nullptr;
    if (g_host.verifyScreenSavePwd) {
        g_host.verifyScreenSavePwd = nullptr;
        setScreensaverRunning(false);
    }
}

bool passwordIsConfigured() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    const bool readable = RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, &type,
                                           reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return readable && type == REG_DWORD && value != 0;
}

void loadPasswordDll() {
    if (!g_host.windows9x) return;
    unloadPasswordDll();
    if (!passwordIsConfigured()) return;
    g_host.passwordDll = LoadLibraryA("PASSWORD.CPL");
    if (!g_host.passwordDll) return;
    g_host.verifyScreenSavePwd = procAddress<VerifyScreenSavePwdFn>(g_host.passwordDll, "VerifyScreenSavePwd");
    if (g_host.verifyScreenSavePwd) {
        setScreensaverRunning(true);
    } else {
        unloadPasswordDll();
    }
}

void hideCursorUnlessPreview() {
    if (!g_host.preview) SetCursor(nullptr);
}

LRESULT closeWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL verifyPassword(HWND window) {
    if (g_host.verifying || g_host.closing) return FALSE;
    if (!g_host.verifyScreenSavePwd) {
        g_host.closing = true;
        return TRUE;
    }
    const DWORD now = GetTickCount();
    if (g_host.lastVerification != kNoVerificationYet && now - g_host.lastVerification < kLeastPasswordCheckIntervalMs) {
        return g_host.closing ? TRUE : FALSE;
    }
    g_host.verifying = true;
    MSG pending;
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    g_host.closing = SendMessageA(window, SCRM_VERIFYPW, 0, 0) != 0;
    g_host.verifying = false;
    if (!g_host.closing) SetCursor(nullptr);
    g_host.lastVerification = GetTickCount();
    return g_host.closing ? TRUE : FALSE;
}

void detachInputContext(HWND window) {
    g_host.imm32 = GetModuleHandleA("IMM32.DLL");
    if (!g_host.imm32) return;
    g_host.immAssociateContext = procAddress<ImmAssociateContextFn>(g_host.imm32, "ImmAssociateContext");
    if (g_host.immAssociateContext) g_host.detachedInputContext = g_host.immAssociateContext(window, nullptr);
}

void restoreInputContext(HWND window) {
    if (g_host.imm32 && g_host.immAssociateContext && g_host.detachedInputContext) {
        g_host.immAssociateContext(window, g_host.detachedInputContext);
    }
}

LRESULT forwardHelpToParent(HWND window, UINT message, LPARAM lParam) {
    const HWND parent = GetParent(window);
    if (parent && IsWindow(parent)) PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
    return 1;
}

LRESULT handleSysCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_host.preview) return ScreenSaverProc(window, message, wParam, lParam);
    switch (wParam & 0xFFF0) {
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
        case SC_SCREENSAVE:
            return 0;
        case SC_MONITORPOWER:
            PostMessageA(window, WM_CLOSE, 0, 0);
            return ScreenSaverProc(window, message, wParam, lParam);
        default:
            return ScreenSaverProc(window, message, wParam, lParam);
    }
}

RECT virtualScreenRect() {
    RECT rect{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (width != 0 && height != 0) {
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
        return rect;
    }
    HDC screen = GetDC(nullptr);
    GetClipBox(screen, &rect);
    ReleaseDC(nullptr, screen);
    return rect;
}

void coverVirtualScreen(HWND window) {
    const RECT screen = virtualScreenRect();
    SetWindowPos(window, nullptr, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool registerHostClass() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = hostWindowProc;
    windowClass.hInstance = g_host.instance;
    windowClass.hIcon = LoadIconA(g_host.instance, MAKEINTRESOURCEA(kHostWindowIconResource));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kHostWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

int runMessageLoop() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

HWND existingWindowOr(std::uintptr_t number, HWND fallback) {
    const HWND window = reinterpret_cast<HWND>(number);
    return (number != 0 && IsWindow(window)) ? window : fallback;
}

LONG WINAPI lastChanceFilter(EXCEPTION_POINTERS*) {
    setScreensaverRunning(false);
    ExitProcess(static_cast<UINT>(-1));
}

}  // namespace

bool hostIsPreview() { return g_host.preview; }

int hostMain(HINSTANCE instance, const char* arguments) {
    using HeapSetInformationFn = BOOL(WINAPI*)(HANDLE, int, PVOID, SIZE_T);
    if (HMODULE kernel = GetModuleHandleA("KERNEL32.DLL")) {
        if (auto setInformation = procAddress<HeapSetInformationFn>(kernel, "HeapSetInformation")) {
            setInformation(nullptr, 1, nullptr, 0);
        }
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    SetUnhandledExceptionFilter(lastChanceFilter);

    g_host.instance = instance;
    g_host.windows9x = isWindows9x();

    const keslHostCommand command = parseHostArguments(arguments);
    switch (command.mode) {
        case keslHostMode::Run:
            return runScreenSaver(nullptr);
        case keslHostMode::Preview: {
            const HWND parent = reinterpret_cast<HWND>(command.windowNumber);
            if (command.windowNumber == 0 || !IsWindow(parent)) return -1;
            return runScreenSaver(parent);
        }
        case keslHostMode::NoMode:
            return static_cast<int>(showConfigDialog(nullptr));
        case keslHostMode::Configure:
            return static_cast<int>(showConfigDialog(existingWindowOr(command.windowNumber, GetForegroundWindow())));
        case keslHostMode::ChangePassword:
            if (!g_host.windows9x) return -1;
            changePassword(existingWindowOr(command.windowNumber, GetForegroundWindow()));
            return 0;
        case keslHostMode::Unknown:
            break;
    }
    return -1;
}

int runScreenSaver(HWND parent) {
    DWORD style = 0;
    DWORD extendedStyle = 0;
    const char* title = nullptr;
    RECT placement{};
    if (parent) {
        style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
        title = kHostPreviewTitle;
        GetClientRect(parent, &placement);
        g_host.preview = true;
    } else {
        placement = virtualScreenRect();
        style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        extendedStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
        title = kHostFullScreenTitle;
        const HWND running = FindWindowA(kHostWindowClass, kHostFullScreenTitle);
        if (running && IsWindow(running)) {
            SetForegroundWindow(running);
            return 0;
        }
        loadPasswordDll();
    }

    HWND window = nullptr;
    if (registerHostClass()) {
        window = CreateWindowExA(extendedStyle, kHostWindowClass, title, style, placement.left, placement.top,
                                 placement.right - placement.left, placement.bottom - placement.top, parent, nullptr,
                                 g_host.instance, nullptr);
    }
    int exitCode = 0;
    if (window) {
        g_host.window = window;
        if (!parent) SetForegroundWindow(window);
        exitCode = runMessageLoop();
    }
    unloadPasswordDll();
    return exitCode;
}

INT_PTR showConfigDialog(HWND parent) {
    if (!registerDialogClasses(g_host.instance)) return 0;
    return DialogBoxParamA(g_host.instance, MAKEINTRESOURCEA(kConfigDialogResource), parent,
                           ScreenSaverConfigureDialog, 0);
}

void changePassword(HWND parent) {
    HMODULE mpr = LoadLibraryA("MPR.DLL");
    if (!mpr) return;
    if (auto change = procAddress<PwdChangePasswordFn>(mpr, "PwdChangePasswordA")) {
        change("SCRSAVE", parent, 0, nullptr);
    }
    FreeLibrary(mpr);
}

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            detachInputContext(window);
            GetCursorPos(&g_host.reference);
            hideCursorUnlessPreview();
            break;
        case WM_PAINT:
            if (g_host.closing) return DefWindowProcA(window, message, wParam, lParam);
            hideCursorUnlessPreview();
            break;
        case WM_DESTROY:
            restoreInputContext(window);
            PostQuitMessage(0);
            break;
        case WM_SETTEXT:
            return 0;
        case WM_HELP:
        case WM_CONTEXTMENU:
            if (g_host.preview) return forwardHelpToParent(window, message, lParam);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (g_host.closing) return DefWindowProcA(window, message, wParam, lParam);
            break;
        case WM_SYSCOMMAND:
            return handleSysCommand(window, message, wParam, lParam);
        case WM_DISPLAYCHANGE:
            // A monitor came or went, or a resolution changed: the full-screen
            // window covers the new desktop before the sky is built for it.
            if (g_host.closing) return 0;
            if (!g_host.preview) coverVirtualScreen(window);
            break;
        case WM_TIMER:
            if (g_host.closing) return 0;
            Sleep(0);
            break;
        default:
            break;
    }
    return ScreenSaverProc(window, message, wParam, lParam);
}

LRESULT hostDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_host.preview || g_host.closing) return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
        case WM_CLOSE:
            if (g_host.windows9x && !verifyPassword(window)) {
                GetCursorPos(&g_host.reference);
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        case SCRM_VERIFYPW:
            if (g_host.windows9x) return g_host.verifyScreenSavePwd ? g_host.verifyScreenSavePwd(window) : 1;
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            break;
    }
    if (g_host.verifying) return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
        case WM_SHOWWINDOW:
            if (wParam) SetCursor(nullptr);
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_SETCURSOR:
            SetCursor(nullptr);
            return 1;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return closeWindow(window, message, wParam, lParam);
        case WM_ACTIVATEAPP:
            if (wParam == 0) return closeWindow(window, message, wParam, lParam);
            break;
        case WM_POWER:
            if (wParam == kPowerCriticalResume) return closeWindow(window, message, wParam, lParam);
            break;
        case WM_MOUSEMOVE: {
            POINT now{};
            GetCursorPos(&now);
            if (mouseMoveCloses({g_host.reference.x, g_host.reference.y}, {now.x, now.y})) {
                g_host.reference = now;
                return closeWindow(window, message, wParam, lParam);
            }
            break;
        }
        case WM_POWERBROADCAST:
            switch (powerBroadcastAnswer(static_cast<unsigned long>(wParam), static_cast<long>(lParam))) {
                case keslPowerAnswer::GrantQuery:
                    return 1;
                case keslPowerAnswer::Close:
                    return closeWindow(window, message, wParam, lParam);
                case keslPowerAnswer::KeepRunning:
                    break;
            }
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
