// The pages of the configuration sheet in their fixed order. The order is
// what "activeDialogTab" counts in, so a stored index keeps meaning the same
// page from one version to the next: a new page only ever comes last.
#pragma once

#include <array>

struct keslSheetPage {
    int templateId;
    const char* screenView;  // reported to the usage statistics when the page is shown
    const char* title;       // the template's English caption, translated under "trn." + title
};

inline constexpr std::array<keslSheetPage, 11> kSheetPages{{
    {106, "Settings / Moon", "Moon"},
    {2008, "Settings / Messages", "Messages"},
    {2007, "Settings / Sky background", "Background"},
    {2010, "Settings / Sounds", "Sounds"},
    {2009, "Settings / Quotes", "Quotes"},
    {2006, "Settings / Power", "Power"},
    {2005, "Settings / Startup", "Startup"},
    {131, "Settings / Clock", "Digital clock"},
    {2011, "Settings / Telemetry", "Telemetry consent"},
    {2004, "Settings / About", "About"},
    {2012, "Settings / Sky", "Sky"},
}};

// The page the sheet opens on: a damaged or foreign value falls back to the nearest page.
constexpr int sheetStartPage(int storedIndex) {
    const int last = static_cast<int>(kSheetPages.size()) - 1;
    return storedIndex < 0 ? 0 : (storedIndex > last ? last : storedIndex);
}
