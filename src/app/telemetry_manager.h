// The application's side of the usage statistics: starts them only with the
// user's consent (read once, at start), reports one screensaver run and the
// configuration sheet's pages and consent clicks, and stops them at the end.
#pragma once

#include "settings/config_sheet.h"

#include <string>

// The screen view reported once per run, after some animation.
inline constexpr const char* kScreensaverRunScreen = "screensaver run";

class cTelemetryManager {
public:
    cTelemetryManager() = default;
    ~cTelemetryManager();
    cTelemetryManager(const cTelemetryManager&) = delete;
    cTelemetryManager& operator=(const cTelemetryManager&) = delete;

    // moduleFolder holds the deployment file, if any.
    void start(bool userGaveConsent, const std::string& productName, const std::string& appVersion,
               const std::string& moduleFolder, const std::string& userLanguage);
    // Started by this manager, with a tracker in place.
    bool isEnabled() const;

    void trackRun();
    void trackScreenview(const std::string& screenName);
    void trackEvent(const std::string& action, const std::string& label, int value = 0);

private:
    bool m_started = false;
};

// The configuration sheet's reports, as usage statistics: each page shown is
// a screen view, each consent click an event (its action and label).
class cSheetTelemetryServices : public keslSheetServices {
public:
    explicit cSheetTelemetryServices(cTelemetryManager& telemetry) : m_telemetry(telemetry) {}
    void screenView(const char* name) override;
    void event(const char* action, const char* label) override;

private:
    cTelemetryManager& m_telemetry;
};
