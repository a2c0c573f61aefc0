// A small Windows program the end-to-end checks use beside the module:
//   find                 prints the running screensaver window: class, title,
//                        rectangle and whether it is top-most
//   parent W H SECONDS   opens a W x H window, prints its handle, and after
//                        SECONDS prints its child window (class, title, client
//                        size) and destroys itself (the preview's host dialog)
//   foreground           prints the title of the foreground window
//   displaychange W H    shrinks the screensaver window to W x H, as if the
//                        desktop had been that size, and tells it the
//                        display changed (WM_DISPLAYCHANGE)
//   sheet COMMAND...     drives the open configuration sheet with messages,
//                        one command after another (see runSheetCommand)
#include <windows.h>
#include <commctrl.h>

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

// The configuration sheet is found by its caption; its pages by the sheet's
// own messages, which carry no pointers and so work across processes.
constexpr const char* kSheetCaption = "Orvanel 5.9.4 ";

HWND findSheet() { return FindWindowA("#32770", kSheetCaption); }

HWND currentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

HWND pageControl(HWND sheet, int id) { return GetDlgItem(currentPage(sheet), id); }

// The pages' font: a shell-font template ("MS Shell Dlg" with DS_SHELLFONT) gets "MS Shell Dlg 2".
HFONT dialogFont() {
    const HDC screen = GetDC(nullptr);
    const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg 2");
}

// Reports every control of the current page whose text does not fit in it or
// which reaches outside the page: "clipped ID TEXT", then "checked N".
struct ClipCheck {
    HWND page;
    HDC dc;
    int checked = 0;
    int clipped = 0;
};

constexpr int kSlackPixels = 3;

BOOL CALLBACK checkControl(HWND control, LPARAM parameter) {
    ClipCheck& check = *reinterpret_cast<ClipCheck*>(parameter);
    if (GetParent(control) != check.page || !IsWindowVisible(control)) return TRUE;
    ++check.checked;
    char className[64] = {};
    char text[1024] = {};
    GetClassNameA(control, className, sizeof className);
    GetWindowTextA(control, text, sizeof text);
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, check.page, reinterpret_cast<POINT*>(&rect), 2);
    RECT pageRect{};
    GetClientRect(check.page, &pageRect);
    bool clipped = rect.left < 0 || rect.top < 0 || rect.right > pageRect.right || rect.bottom > pageRect.bottom;
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const bool button = lstrcmpiA(className, "Button") == 0;
    const LONG buttonType = style & BS_TYPEMASK;
    const bool groupBox = button && buttonType == BS_GROUPBOX;
    const bool pushButton = button && (buttonType == BS_PUSHBUTTON || buttonType == BS_DEFPUSHBUTTON);
    const bool label = lstrcmpiA(className, "Static") == 0 || (button && !pushButton && !groupBox);
    if (text[0] && (label || pushButton || groupBox)) {
        // Room for the box or circle of a check box or radio button, and for a push button's frame.
        const int boxWidth = (button && !pushButton && !groupBox) ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0;
        const int available = (rect.right - rect.left) - boxWidth - (pushButton || groupBox ? 8 : 0);
        RECT needed{0, 0, available - kSlackPixels, 0};
        DrawTextA(check.dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        const int height = rect.bottom - rect.top;
        // Lines wrap as the control wraps them; one that fills the width to the
        // last pixel is still clipped by the control's own drawing (Wine drops
        // its last character), so a few pixels must stay free.
        if (needed.right > available - kSlackPixels || (label && !button && needed.bottom > height)) clipped = true;
        if (button && !groupBox && !pushButton && needed.bottom > height + 2) clipped = true;
    }
    if (clipped) {
        ++check.clipped;
        std::printf("clipped %d %s (%ld,%ld %ldx%ld)\n", GetDlgCtrlID(control), text, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top);
    }
    return TRUE;
}

int checkClipping(HWND sheet) {
    ClipCheck check{currentPage(sheet), GetDC(nullptr)};
    const HFONT font = dialogFont();
    const HGDIOBJ previous = SelectObject(check.dc, font);
    EnumChildWindows(check.page, checkControl, reinterpret_cast<LPARAM>(&check));
    SelectObject(check.dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, check.dc);
    std::printf("checked %d clipped %d\n", check.checked, check.clipped);
    return check.clipped == 0 ? 0 : 1;
}

// Every control of the current page with a text of its own (typed fields
// hold the user's), as UTF-8: "text ID TEXT".
BOOL CALLBACK printControlText(HWND control, LPARAM page) {
    if (GetParent(control) != reinterpret_cast<HWND>(page) || !IsWindowVisible(control)) return TRUE;
    wchar_t className[64] = {};
    wchar_t text[1024] = {};
    GetClassNameW(control, className, 64);
    if (lstrcmpiW(className, L"Edit") == 0) return TRUE;
    // An icon's "text" is its resource number.
    const bool icon = lstrcmpiW(className, L"Static") == 0 && (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    if (icon) return TRUE;
    GetWindowTextW(control, text, 1024);
    if (!text[0]) return TRUE;
    for (wchar_t* c = text; *c; ++c) {
        if (*c == L'\r' || *c == L'\n') *c = L' ';
    }
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("text %d %s\n", GetDlgCtrlID(control), utf8);
    return TRUE;
}

// Whether each control's text fits it at a screen scale (dots per inch), as
// the dialog would lay it out there: the control keeps its size in dialog
// units, which follow the dialog font's size at that scale. Prints
// "toowide DPI ID TEXT" for each that does not, then "fitted DPI N".
struct FitCheck {
    HWND page;
    int dpi;
    HDC dc;
    int pageBaseX, pageBaseY;  // the page's dialog units now, in pixels per 4 and per 8 units
    int baseX, baseY;          // the same at the checked scale
    int checked = 0;
    int tooWide = 0;
};

BOOL CALLBACK fitControl(HWND control, LPARAM parameter) {
    FitCheck& check = *reinterpret_cast<FitCheck*>(parameter);
    if (GetParent(control) != check.page || !IsWindowVisible(control)) return TRUE;
    wchar_t className[64] = {};
    wchar_t text[1024] = {};
    GetClassNameW(control, className, 64);
    GetWindowTextW(control, text, 1024);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const bool button = lstrcmpiW(className, L"Button") == 0;
    const LONG type = style & BS_TYPEMASK;
    const bool groupBox = button && type == BS_GROUPBOX;
    const bool pushButton = button && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
    const bool label = lstrcmpiW(className, L"Static") == 0 && (style & SS_TYPEMASK) != SS_ICON;
    const bool link = lstrcmpiW(className, L"SysLink") == 0;
    if (!text[0] || link || !(label || button)) return TRUE;
    ++check.checked;
    RECT rect{};
    GetWindowRect(control, &rect);
    // Back to dialog units, then out again at the checked scale.
    const int widthUnits = MulDiv(rect.right - rect.left, 4, check.pageBaseX);
    const int heightUnits = MulDiv(rect.bottom - rect.top, 8, check.pageBaseY);
    const int width = MulDiv(widthUnits, check.baseX, 4);
    const int height = MulDiv(heightUnits, check.baseY, 8);
    const int box = (button && !pushButton && !groupBox) ? MulDiv(GetSystemMetrics(SM_CXMENUCHECK) + 4, check.dpi, 96) : 0;
    const int frame = (pushButton || groupBox) ? MulDiv(8, check.dpi, 96) : 0;
    const int available = width - box - frame;
    // A label wraps its lines (here a few pixels early, as its own drawing
    // may), so it must fit in height; anything else must fit on one line.
    RECT needed{0, 0, available - kSlackPixels, 0};
    const UINT wrap = label ? DT_WORDBREAK : DT_SINGLELINE;
    DrawTextW(check.dc, text, -1, &needed, DT_CALCRECT | DT_EXPANDTABS | wrap);
    const bool fits = needed.right <= available - kSlackPixels && (!label || needed.bottom <= height);
    if (fits) return TRUE;
    ++check.tooWide;
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("toowide %d %d %s (needs %ldx%ld, has %dx%d)\n", check.dpi, GetDlgCtrlID(control), utf8, needed.right,
                needed.bottom, available, height);
    return TRUE;
}

// A dialog's base units for its font at a scale: the average letter width
// (as Windows takes it) and the font's height.
SIZE dialogBaseUnits(HDC dc, int dpi, HFONT& font) {
    font = CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg 2");
    SelectObject(dc, font);
    SIZE letters{};
    GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return SIZE{(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

void checkFit(HWND sheet, int dpi) {
    FitCheck check{currentPage(sheet), dpi, GetDC(nullptr), 0, 0, 0, 0};
    const HGDIOBJ previous = GetCurrentObject(check.dc, OBJ_FONT);
    // The page's own units (it lives in another process, so they are worked
    // out as the page's font gives them at the screen's scale now).
    HFONT screenFont = nullptr;
    const SIZE now = dialogBaseUnits(check.dc, GetDeviceCaps(check.dc, LOGPIXELSY), screenFont);
    check.pageBaseX = now.cx;
    check.pageBaseY = now.cy;
    HFONT font = nullptr;
    const SIZE scaled = dialogBaseUnits(check.dc, dpi, font);
    check.baseX = scaled.cx;
    check.baseY = scaled.cy;
    EnumChildWindows(check.page, fitControl, reinterpret_cast<LPARAM>(&check));
    SelectObject(check.dc, previous);
    DeleteObject(font);
    DeleteObject(screenFont);
    ReleaseDC(nullptr, check.dc);
    std::printf("fitted %d %d\n", dpi, check.checked - check.tooWide);
}

// One command on the sheet; advances i past its arguments. False on an unknown
// command or a missing control.
bool runSheetCommand(HWND sheet, int argc, char** argv, int& i) {
    const char* command = argv[i++];
    auto next = [&]() -> const char* { return i < argc ? argv[i++] : ""; };
    if (std::strcmp(command, "page") == 0) {
        SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(std::atoi(next())), 0);
        return true;
    }
    if (std::strcmp(command, "rect") == 0) {
        RECT rect{};
        GetWindowRect(sheet, &rect);
        std::printf("rect %ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        return true;
    }
    if (std::strcmp(command, "current") == 0) {
        const HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
        std::printf("current %d\n", static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)));
        return true;
    }
    if (std::strcmp(command, "owner") == 0) {
        // The chain of owners up to the top, nearest first.
        std::printf("owner");
        for (HWND owner = GetWindow(sheet, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) {
            std::printf(" %lu", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(owner)));
        }
        std::printf("\n");
        return true;
    }
    if (std::strcmp(command, "dpi") == 0) {
        const HDC screen = GetDC(nullptr);
        std::printf("dpi %d\n", GetDeviceCaps(screen, LOGPIXELSY));
        ReleaseDC(nullptr, screen);
        return true;
    }
    if (std::strcmp(command, "buttons") == 0) {
        // The sheet's own OK and Cancel, printed like a page's controls.
        printControlText(GetDlgItem(sheet, IDOK), reinterpret_cast<LPARAM>(sheet));
        printControlText(GetDlgItem(sheet, IDCANCEL), reinterpret_cast<LPARAM>(sheet));
        return true;
    }
    if (std::strcmp(command, "texts") == 0) {
        EnumChildWindows(currentPage(sheet), printControlText, reinterpret_cast<LPARAM>(currentPage(sheet)));
        return true;
    }
    if (std::strcmp(command, "fits") == 0) {
        checkFit(sheet, 96);
        checkFit(sheet, 144);
        return true;
    }
    if (std::strcmp(command, "clipped") == 0) {
        checkClipping(sheet);
        return true;
    }
    if (std::strcmp(command, "ok") == 0 || std::strcmp(command, "cancel") == 0) {
        PostMessageA(sheet, PSM_PRESSBUTTON, command[0] == 'o' ? PSBTN_OK : PSBTN_CANCEL, 0);
        return true;
    }
    if (std::strcmp(command, "sleep") == 0) {
        Sleep(static_cast<DWORD>(std::atoi(next())));
        return true;
    }
    const HWND control = pageControl(sheet, std::atoi(next()));
    if (!control) return false;
    if (std::strcmp(command, "click") == 0) {
        SendMessageA(control, BM_CLICK, 0, 0);
    } else if (std::strcmp(command, "text") == 0) {
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(next()));
    } else if (std::strcmp(command, "gettext") == 0) {
        char text[1024] = {};
        SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::printf("text %s\n", text);
    } else if (std::strcmp(command, "where") == 0) {
        RECT rect{};
        GetWindowRect(control, &rect);
        std::printf("where %ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    } else if (std::strcmp(command, "enabled") == 0) {
        std::printf("enabled %d\n", IsWindowEnabled(control) ? 1 : 0);
    } else if (std::strcmp(command, "slider") == 0) {
        SendMessageA(control, TBM_SETPOS, TRUE, std::atoi(next()));
        SendMessageA(GetParent(control), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(control));
    } else if (std::strcmp(command, "combo") == 0) {
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(std::atoi(next())), 0);
    } else {
        return false;
    }
    return true;
}

// Waits up to 20 seconds for the sheet (a cold Wine start is slow), then runs
// the commands in order.
int driveSheet(int argc, char** argv) {
    HWND sheet = nullptr;
    for (int attempt = 0; attempt < 200 && !sheet; ++attempt) {
        sheet = findSheet();
        if (!sheet) Sleep(100);
    }
    if (!sheet) {
        std::puts("no sheet");
        return 1;
    }
    std::puts("found");
    for (int i = 2; i < argc;) {
        const char* command = argv[i];
        if (!runSheetCommand(sheet, argc, argv, i)) {
            std::printf("failed %s\n", command);
            return 1;
        }
        std::fflush(stdout);
    }
    return 0;
}

int changeDisplay(int width, int height) {
    const HWND window = FindWindowA("WindowsScreenSaverClass", "Screen Saver");
    if (!window) {
        std::puts("none");
        return 1;
    }
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    HDC screen = GetDC(nullptr);
    const int bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    SendMessageA(window, WM_DISPLAYCHANGE, static_cast<WPARAM>(bitsPerPixel),
                 MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    std::puts("sent");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "find") == 0) return findScreensaver();
    if (argc >= 5 && std::strcmp(argv[1], "parent") == 0) {
        return openParent(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    }
    if (argc >= 2 && std::strcmp(argv[1], "foreground") == 0) return printForeground();
    if (argc >= 2 && std::strcmp(argv[1], "sheet") == 0) return driveSheet(argc, argv);
    if (argc >= 4 && std::strcmp(argv[1], "displaychange") == 0) {
        return changeDisplay(std::atoi(argv[2]), std::atoi(argv[3]));
    }
    std::fputs("usage: orvanel_e2e_helper find | parent W H SECONDS | foreground | displaychange W H | sheet COMMAND...\n",
               stderr);
    return 2;
}
