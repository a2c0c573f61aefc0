// The configuration sheet: eleven pages of settings in a modal property sheet
// over the application's settings store. The settings floor knows nothing of
// the application above it, so the application hands in who it is and where
// the sheet's usage reports and sound previews go.
#pragma once

#include <string>

struct keslSheetIdentity {
    std::string productName;
    std::string version;
    std::string buildDate;
    std::string webSiteUrl;
    std::string webSiteName;  // what the link shows, such as "www.example.com"
    std::string supportEmail;
};

// What the sheet reports and plays. The defaults do nothing, so the sheet
// works before either service exists.
class keslSheetServices {
public:
    virtual ~keslSheetServices() = default;
    // Only while usage statistics run.
    virtual void screenView(const char* /*name*/) {}
    virtual void event(const char* /*category*/, const char* /*action*/) {}
};

// Shows the sheet modally over parentWindow (a native window handle or
// nullptr) and returns the sheet's result; stores the last page shown.
int showConfigurationSheet(void* parentWindow, const keslSheetIdentity& identity, keslSheetServices& services);
