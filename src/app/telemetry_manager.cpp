#include "app/telemetry_manager.h"

#include "telemetry/telemetry.h"
#include "telemetry/telemetry_deployment.h"
#include "util/log.h"

namespace {

// Which facts the system-information hit carries: memory, free memory,
// processor cores and model.
constexpr int kSystemInfoBits = 31;

}  // namespace

cTelemetryManager::~cTelemetryManager() {
    if (!m_started) return;
    Cindralux::stop();
}

void cTelemetryManager::start(bool userGaveConsent, const std::string& productName, const std::string& appVersion,
                              const std::string& moduleFolder, const std::string& userLanguage) {
    if (m_started) return;
    if (!userGaveConsent) {
        logInfo("Telemetry is off: the user did not consent");
        return;
    }
    Cindralux::clearOptions();
    cTrackerOptions options = telemetryDeploymentOptions(moduleFolder);
    if (!options.count(trackerOption::extraInfo)) options[trackerOption::extraInfo] = std::to_string(kSystemInfoBits);
    if (!userLanguage.empty()) options[trackerOption::userLanguage] = userLanguage;
    for (const auto& [key, value] : options) Cindralux::setOptions((key + "=" + value).c_str());
    m_started = Cindralux::appTelemetryInit_notry(appVersion.c_str(), productName.c_str(), productName.c_str(),
                                                   appVersion.c_str());
}

bool cTelemetryManager::isEnabled() const { return m_started && Cindralux::tracker() != nullptr; }

void cTelemetryManager::trackRun() { trackScreenview(kScreensaverRunScreen); }

void cTelemetryManager::trackScreenview(const std::string& screenName) {
    if (isEnabled()) Cindralux::trackScreenview(screenName);
}

void cTelemetryManager::trackEvent(const std::string& action, const std::string& label, int value) {
    if (isEnabled()) Cindralux::trackEvent(action, label, value);
}

void cSheetTelemetryServices::screenView(const char* name) {
    if (name) m_telemetry.trackScreenview(name);
}

void cSheetTelemetryServices::event(const char* action, const char* label) {
    if (action) m_telemetry.trackEvent(action, label ? label : "");
}
