// The screensaver host: speaks the Windows screensaver protocol (command
// line modes, the full-screen or preview window, the configuration dialog,
// the password change) and decides when input ends a run. The application
// is reached only through ScreenSaverProc, ScreenSaverConfigureDialog and
// registerDialogClasses.
#pragma once

#include <windows.h>

constexpr const char* kHostWindowClass = "WindowsScreenSaverClass";
constexpr const char* kHostFullScreenTitle = "Screen Saver";
constexpr const char* kHostPreviewTitle = "Preview";
constexpr UINT SCRM_VERIFYPW = 0x8000;
constexpr int kConfigDialogResource = 2003;
constexpr int kHostWindowIconResource = 100;

int hostMain(HINSTANCE instance, const char* arguments);
int runScreenSaver(HWND parent);
INT_PTR showConfigDialog(HWND parent);
void changePassword(HWND parent);

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT hostDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// True while the host runs a preview inside the display-settings dialog.
bool hostIsPreview();

// Supplied by the application.
LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
extern "C" __declspec(dllexport) INT_PTR CALLBACK ScreenSaverConfigureDialog(HWND dialog, UINT message,
                                                                             WPARAM wParam, LPARAM lParam);
BOOL registerDialogClasses(HINSTANCE instance);
