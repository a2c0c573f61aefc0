// One page of the configuration sheet on Windows: it reads its settings into
// the controls when the page is created and writes them back on OK. The
// rules themselves live in the portable page logic; a page only moves values
// between that logic and its controls.
#pragma once

#include "settings/config_sheet.h"

#include <windows.h>

#include <memory>
#include <string>

class cSheetPageWin {
public:
    virtual ~cSheetPageWin() = default;
    virtual void load(HWND page) = 0;
    virtual void store(HWND page) = 0;
    // Asked before the user leaves the page or presses OK; false keeps the
    // page open after telling the user what is wrong.
    virtual bool valid(HWND /*page*/) { return true; }
    virtual void command(HWND /*page*/, int /*id*/, int /*code*/) {}
    // True when the page handled the notification.
    virtual bool notify(HWND /*page*/, const NMHDR& /*header*/) { return false; }
    virtual void scrolled(HWND /*page*/) {}
    // After the page's own painting; the clock page draws its swatch here.
    virtual void paint(HWND /*page*/, HDC /*dc*/) {}
};

// Control helpers shared by the pages.
bool isChecked(HWND page, int id);
void setChecked(HWND page, int id, bool checked);
std::string controlText(HWND page, int id, std::size_t maxLength);

// Texts of the interface are UTF-8 and reach the controls through the wide
// calls, so every script shows whatever the system's code page.
void setControlText(HWND page, int id, const std::string& utf8);
// Every control's template text (the English) replaced by its translation
// under "trn." + text, where the language's file has one; typed fields keep theirs.
void translateControls(HWND page);

// A user's text as stored: the code page's bytes, as always, or UTF-8 where
// the code page cannot hold it (a Greek message on a German system). Both
// read back as written; the sky draws either.
void setStoredText(HWND page, int id, const std::string& stored);
std::string storedText(HWND page, int id, std::size_t maxLength);

// The pages, by their index in the sheet.
std::unique_ptr<cSheetPageWin> makeMoonPage();
std::unique_ptr<cSheetPageWin> makeMessagesPage();
std::unique_ptr<cSheetPageWin> makeBackgroundPage();
std::unique_ptr<cSheetPageWin> makeSoundsPage();
std::unique_ptr<cSheetPageWin> makeQuotesPage();
std::unique_ptr<cSheetPageWin> makePowerPage();
std::unique_ptr<cSheetPageWin> makeStartupPage();
std::unique_ptr<cSheetPageWin> makeClockPage();
std::unique_ptr<cSheetPageWin> makeTelemetryPage(keslSheetServices& services);
std::unique_ptr<cSheetPageWin> makeAboutPage(const keslSheetIdentity& identity);
std::unique_ptr<cSheetPageWin> makeSkyPage();
