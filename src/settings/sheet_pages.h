// The pages of the configuration sheet in their fixed order. The order is
// what "activeDialogTab" counts in, so a stored index keeps meaning the same
// page from one version to the next: a new page only ever comes last.
#pragma once

#include <array>

struct keslSheetPage {
    int templateId;
    const char* screenView;  // reported to the usage statistics when the page is shown
    const char* titleKey;    // translated title, or nullptr for the template's own
};

inline constexpr std::array<keslSheetPage, 11> kSheetPages{{
    {106, "Settings / Moon", "trn.Moon"},
    {2008, "Settings / Messages", nullptr},
    {2007, "Settings / Sky background", nullptr},
    {2010, "Settings / Sounds", "trn.Sounds"},
    {2009, "Settings / Quotes", nullptr},
    {2006, "Settings / Power", nullptr},
    {2005, "Settings / Startup", nullptr},
    {131, "Settings / Clock", nullptr},
    {2011, "Settings / Telemetry", nullptr},
    {2004, "Settings / About", nullptr},
    {2012, "Settings / Sky", "trn.Sky"},
}};

// The page the sheet opens on: a damaged or foreign value falls back to the nearest page.
constexpr int sheetStartPage(int storedIndex) {
    const int last = static_cast<int>(kSheetPages.size()) - 1;
    return storedIndex < 0 ? 0 : (storedIndex > last ? last : storedIndex);
}
