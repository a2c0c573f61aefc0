// The application's side of the Windows screensaver protocol: the window
// procedure that builds, ticks, paints and tears down the application, and
// the configuration dialog procedure.
#include "app/command_line.h"
#include "app/frame_times.h"
#include "util/exception_guard.h"
#include "app/monitor_id.h"
#include "app/screensaver.h"
#include "app/win32/host.h"
#include "platform/gdi/paint_guard.h"
#include "platform/window.h"
#include "system/system_services.h"
#include "util/log_guards.h"

#include <memory>

namespace {

orvanelScreensaver* screensaverPtr = nullptr;
bool isInitialised = false;
bool isPainting = false;
// Set when the frame timer asked for the next paint; a paint nobody asked
// for means the window was uncovered and must be shown whole.
bool frameRequested = false;
UINT_PTR frameTimerId = 0;
orvanelFrameTimes frameTimes;
constexpr DWORD kCloseSettleMilliseconds = 40;

void logCommandLine() {
    const char* commandLine = GetCommandLineA();
    logInfo("Application command line: %s", commandLine);
    const std::vector<std::string> tokens = splitCommandLine(commandLine);
    for (size_t i = 0; i < tokens.size(); ++i) logInfo("arg[%i]:%s", static_cast<int>(i), tokens[i].c_str());
}

LRESULT onCreate(HWND window) {
    logInfo("ScreenSaverProc() received WM_CREATE");
    if (!screensaverPtr) screensaverPtr = new orvanelScreensaver();
    if (!isInitialised) {
        logInfo("creating keslApp");
        logCommandLine();
        const int monitorId = monitorIdFor(splitCommandLine(GetCommandLineA()), hostIsPreview());
        runGuarded("exception caught: screensaverPtr->initWithWindowHandle()",
                   [&] { screensaverPtr->initWithWindowHandle(window, monitorId); });
        isInitialised = true;
        logInfo("destroying keslApp");
    }
    frameTimerId = SetTimer(window, kFrameTimerId, kFrameTimerMilliseconds, nullptr);
    return 0;
}

LRESULT onTimer(HWND window, WPARAM timerId) {
    if (timerId != frameTimerId) return 1;
    if (isPainting || !screensaverPtr) return 0;
    frameTimes.workStarted();
    screensaverPtr->tick(frameStep);
    frameTimes.workEnded();
    // A region already waiting for paint was uncovered, not drawn by us.
    if (GetUpdateRect(window, nullptr, FALSE)) screensaverPtr->requestWholeFrame();
    frameRequested = true;
    RECT client;
    GetClientRect(window, &client);
    InvalidateRect(window, &client, FALSE);
    return 0;
}

LRESULT onPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    isPainting = true;
    {
        keslWinPaintstructAuto paint(window);
        if (screensaverPtr) {
            frameTimes.workStarted();
            if (!frameRequested) screensaverPtr->requestWholeFrame();
            frameRequested = false;
            screensaverPtr->drawFrame();
            screensaverPtr->flushFrame();
            frameTimes.workEnded();
            frameTimes.frameShown();
        }
    }
    isPainting = false;
    return hostDefaultProc(window, message, wParam, lParam);
}

// The host has fitted the window to the new desktop; the sky is built anew
// for it, as a RandR change does on Linux. What belongs to the start of the
// run (its effect, the hot-corner test, keep-awake) is not done again.
LRESULT onDisplayChange(HWND window) {
    if (!screensaverPtr || hostIsPreview()) return 0;
    logInfo("The display changed: the sky is built again for %i monitor(s)",
            static_cast<int>(keslSystemServices().monitorRects().size()));
    runGuarded("exception caught: screensaverPtr->changeScreens()",
               [&] { screensaverPtr->changeScreens(keslCreateWindowForHandle(window)); });
    InvalidateRect(window, nullptr, FALSE);
    return 0;
}

LRESULT onClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    logInfo("ScreenSaverProc() received WM_CLOSE");
    if (frameTimerId != 0) KillTimer(window, frameTimerId);
    frameTimerId = 0;
    Sleep(kCloseSettleMilliseconds);
    return hostDefaultProc(window, message, wParam, lParam);
}

LRESULT onDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    logInfo("ScreenSaverProc() received  WM_DESTROY");
    frameTimes.logSummary();
    if (screensaverPtr) {
        screensaverPtr->shutDown();
        delete screensaverPtr;
        screensaverPtr = nullptr;
    }
    return hostDefaultProc(window, message, wParam, lParam);
}

}  // namespace

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return onCreate(window);
        case WM_TIMER:
            return onTimer(window, wParam);
        case WM_PAINT:
            return onPaint(window, message, wParam, lParam);
        case WM_ERASEBKGND: {
            logFunctionLife life("WM_ERASEBKGND");
            if (screensaverPtr) screensaverPtr->eraseBackground();
            return 1;
        }
        case WM_DISPLAYCHANGE:
            return onDisplayChange(window);
        case WM_CLOSE:
            return onClose(window, message, wParam, lParam);
        case WM_DESTROY:
            return onDestroy(window, message, wParam, lParam);
        default:
            return hostDefaultProc(window, message, wParam, lParam);
    }
}

extern "C" __declspec(dllexport) INT_PTR CALLBACK ScreenSaverConfigureDialog(HWND dialog, UINT message,
                                                                             WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            logInfo("ScreenSaverConfigureDialog received WM_INITDIALOG");
            auto application = std::make_unique<orvanelScreensaver>();
            if (application->hasConfigureSheet()) application->showConfigureSheet(dialog);
            application.reset();
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            return TRUE;
        }
        case WM_COMMAND: {
            const WORD id = LOWORD(wParam);
            if (id != IDOK && id != IDCANCEL) return TRUE;
            EndDialog(dialog, id == IDOK);
            return TRUE;
        }
        case WM_DESTROY:
            return FALSE;
        default:
            return TRUE;
    }
}

BOOL registerDialogClasses(HINSTANCE) { return TRUE; }
