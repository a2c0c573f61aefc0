// The configuration sheet as a Win32 property sheet: eleven pages from the
// module's dialog templates sharing one dialog procedure, which hands each
// message to the page object of the dialog's index.
#include "settings/config_sheet.h"
#include "settings/win32/sheet_page_win32.h"

#include "settings/app_settings.h"
#include "settings/localisation.h"
#include "settings/settings.h"
#include "settings/sheet_pages.h"
#include "system/win32/wide_text.h"
#include "util/log.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <array>

namespace {

constexpr int kSheetIconResource = 201;
using cPageArray = std::array<std::unique_ptr<cSheetPageWin>, kSheetPages.size()>;

// The page last activated or deactivated; what the next opening starts on.
int lastActivePage = 0;
// The pages and services of the sheet being shown (one at a time: it is modal).
cPageArray* shownPages = nullptr;
keslSheetServices* shownServices = nullptr;

cSheetPageWin* pageAt(int index) {
    if (!shownPages || index < 0 || index >= static_cast<int>(shownPages->size())) return nullptr;
    return (*shownPages)[static_cast<std::size_t>(index)].get();
}

BOOL CALLBACK removeTheme(HWND control, LPARAM) {
    SetWindowTheme(control, L" ", L" ");
    return TRUE;
}

INT_PTR answer(HWND page, LONG_PTR result) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR onNotify(HWND page, int index, cSheetPageWin& controller, const NMHDR& header) {
    switch (header.code) {
        case PSN_SETACTIVE:
            lastActivePage = index;
            if (shownServices) shownServices->screenView(kSheetPages[static_cast<std::size_t>(index)].screenView);
            return answer(page, 0);
        case PSN_KILLACTIVE:
            lastActivePage = index;
            return answer(page, controller.valid(page) ? FALSE : TRUE);
        case PSN_APPLY:
            controller.store(page);
            return answer(page, PSNRET_NOERROR);
        default:
            return controller.notify(page, header) ? TRUE : FALSE;
    }
}

INT_PTR CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const int index = static_cast<int>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
        SetWindowLongPtrA(page, DWLP_USER, index);
        EnumChildWindows(page, removeTheme, 0);
        translateControls(page);
        if (cSheetPageWin* controller = pageAt(index)) controller->load(page);
        return TRUE;
    }
    const int index = static_cast<int>(GetWindowLongPtrA(page, DWLP_USER));
    cSheetPageWin* controller = pageAt(index);
    if (!controller) return FALSE;
    switch (message) {
        case WM_COMMAND:
            controller->command(page, LOWORD(wParam), HIWORD(wParam));
            return FALSE;
        case WM_NOTIFY:
            return onNotify(page, index, *controller, *reinterpret_cast<const NMHDR*>(lParam));
        case WM_HSCROLL:
            controller->scrolled(page);
            return TRUE;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(page, &paint);
            controller->paint(page, dc);
            EndPaint(page, &paint);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

cPageArray makePages(const keslSheetIdentity& identity, keslSheetServices& services) {
    return {makeMoonPage(),      makeMessagesPage(), makeBackgroundPage(),          makeSoundsPage(),
            makeQuotesPage(),    makePowerPage(),    makeStartupPage(),             makeClockPage(),
            makeTelemetryPage(services), makeAboutPage(identity), makeSkyPage()};
}

// The sheet's own buttons come from the system in the system's language; they follow the pages' instead.
int CALLBACK sheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message != PSCB_INITIALIZED) return 0;
    setControlText(sheet, IDOK, localised("OK"));
    setControlText(sheet, IDCANCEL, localised("Cancel"));
    return 0;
}

// Restores the shown-sheet pointers however the sheet ends.
class cShownSheet {
public:
    cShownSheet(cPageArray& pages, keslSheetServices& services) {
        shownPages = &pages;
        shownServices = &services;
    }
    ~cShownSheet() {
        shownPages = nullptr;
        shownServices = nullptr;
    }
    cShownSheet(const cShownSheet&) = delete;
    cShownSheet& operator=(const cShownSheet&) = delete;
};

}  // namespace

int showConfigurationSheet(void* parentWindow, const keslSheetIdentity& identity, keslSheetServices& services) {
    logInfo("User's ini file:%s", applicationSettings().getFilePath().c_str());

    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);

    cPageArray pages = makePages(identity, services);
    const cShownSheet shown(pages, services);

    const HINSTANCE module = GetModuleHandleW(nullptr);
    std::array<std::wstring, kSheetPages.size()> titles;
    std::array<PROPSHEETPAGEW, kSheetPages.size()> sheetPages{};
    for (std::size_t i = 0; i < kSheetPages.size(); ++i) {
        PROPSHEETPAGEW& sheetPage = sheetPages[i];
        titles[i] = keslWideFromUtf8(localised(kSheetPages[i].title));
        sheetPage.dwSize = sizeof(PROPSHEETPAGEW);
        sheetPage.dwFlags = PSP_DEFAULT | PSP_USETITLE;
        sheetPage.hInstance = module;
        sheetPage.pszTemplate = MAKEINTRESOURCEW(kSheetPages[i].templateId);
        sheetPage.pfnDlgProc = pageProc;
        sheetPage.lParam = static_cast<LPARAM>(i);
        sheetPage.pszTitle = titles[i].c_str();
    }

    cGeneralSettings general;
    const std::wstring caption = keslWideFromUtf8("Orvanel " + identity.version + " ");
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(PROPSHEETHEADERW);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USEICONID | PSH_USECALLBACK;
    header.hwndParent = static_cast<HWND>(parentWindow);
    header.hInstance = module;
    header.pszIcon = MAKEINTRESOURCEW(kSheetIconResource);
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(sheetPages.size());
    header.nStartPage = static_cast<UINT>(sheetStartPage(general.activeDialogTab.get()));
    header.ppsp = sheetPages.data();
    header.pfnCallback = sheetCallback;
    lastActivePage = static_cast<int>(header.nStartPage);

    const INT_PTR result = PropertySheetW(&header);
    if (result < 0) logError("#6301: the configuration sheet could not be shown (error %lu)", GetLastError());
    general.activeDialogTab.set(lastActivePage);
    return static_cast<int>(result);
}
