#include "telemetry/telemetry_deployment.h"

#include "settings/settings_text.h"
#include "util/file_system.h"
#include "util/log.h"

#include <algorithm>
#include <cstdint>

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
    // The size first: a file that cannot be a deployment file is never read.
    std::uint64_t size = 0;
    std::string text;
    if (!fileSize(path, size) || (size <= kTelemetryDeploymentMaxBytes && !readWholeFile(path, text))) {
        logWarning("The telemetry deployment file %s cannot be read; the built-in configuration applies",
                   path.c_str());
        return options;
    }
    // (Checked again after reading: the file may have grown in between.)
    if (size > kTelemetryDeploymentMaxBytes || text.size() > kTelemetryDeploymentMaxBytes) {
        logWarning("The telemetry deployment file %s is too large (%llu bytes, at most %lu); it is not read and "
                   "the built-in configuration applies",
                   path.c_str(), static_cast<unsigned long long>(std::max<std::uint64_t>(size, text.size())),
                   static_cast<unsigned long>(kTelemetryDeploymentMaxBytes));
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
