#include "telemetry/telemetry_deployment.h"

#include "settings/settings_text.h"
#include "util/file_system.h"
#include "util/log.h"

#ifndef ORVANEL_TELEMETRY_TRACKING_ID
#define ORVANEL_TELEMETRY_TRACKING_ID ""
#endif
#ifndef ORVANEL_TELEMETRY_MATOMO_URL
#define ORVANEL_TELEMETRY_MATOMO_URL ""
#endif
#ifndef ORVANEL_TELEMETRY_SESSION_HITS
#define ORVANEL_TELEMETRY_SESSION_HITS ""
#endif
#ifndef ORVANEL_TELEMETRY_CALL_HOME_ID
#define ORVANEL_TELEMETRY_CALL_HOME_ID ""
#endif

namespace {

using namespace keslFileSystemMini;

const char* const kDeploymentKeys[] = {
    trackerOption::trackingId,    trackerOption::matomoUrl,       trackerOption::sessionHitBudget,
    trackerOption::callHomeTrackingId, trackerOption::extraInfo,  trackerOption::proxyAddress,
    trackerOption::proxyPort,     trackerOption::proxyAuthScheme, trackerOption::proxyUsername,
    trackerOption::proxyPassword,
};

bool isDeploymentKey(const std::string& key) {
    for (const char* known : kDeploymentKeys)
        if (key == known) return true;
    return false;
}

void setIfGiven(cTrackerOptions& options, const char* key, const char* value) {
    if (value && *value) options[key] = value;
}

}  // namespace

cTrackerOptions builtInTelemetryOptions() {
    cTrackerOptions options;
    setIfGiven(options, trackerOption::trackingId, ORVANEL_TELEMETRY_TRACKING_ID);
    setIfGiven(options, trackerOption::matomoUrl, ORVANEL_TELEMETRY_MATOMO_URL);
    setIfGiven(options, trackerOption::sessionHitBudget, ORVANEL_TELEMETRY_SESSION_HITS);
    setIfGiven(options, trackerOption::callHomeTrackingId, ORVANEL_TELEMETRY_CALL_HOME_ID);
    return options;
}

cTrackerOptions telemetryDeploymentOptions(const std::string& moduleFolder) {
    cTrackerOptions options = builtInTelemetryOptions();
    const std::string path = joinPath(moduleFolder, kTelemetryDeploymentFileName);
    if (moduleFolder.empty() || !fileExists(path)) return options;
    std::string text;
    if (!readWholeFile(path, text)) {
        logWarning("The telemetry deployment file %s cannot be read; the built-in configuration applies",
                   path.c_str());
        return options;
    }
    if (text.size() > kTelemetryDeploymentMaxBytes) {
        logWarning("The telemetry deployment file %s is too large (%lu bytes); the built-in configuration applies",
                   path.c_str(), static_cast<unsigned long>(text.size()));
        return options;
    }
    for (const auto& [key, value] : parseSettingsText(text).entries) {
        if (!isDeploymentKey(key)) {
            logWarning("The telemetry deployment file has an unknown key [%s]; it is ignored", key.c_str());
            continue;
        }
        options[key] = value;
    }
    logInfo("Telemetry deployment read from %s", path.c_str());
    return options;
}
