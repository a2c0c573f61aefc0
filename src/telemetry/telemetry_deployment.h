// Where the statistics go is the deployment's business, not the code's: the
// property id, the Matomo server, the session budget and the call-home
// property come from the build configuration, and a small file beside the
// module may override them (a test collector, a company's own Matomo).
#pragma once

#include "telemetry/analytics_tracker.h"

#include <string>

// The file beside the module, in the settings format ("key=value" lines).
inline constexpr const char* kTelemetryDeploymentFileName = "Orvanel.telemetry";
// A deployment file larger than this is not read: it cannot be one.
constexpr size_t kTelemetryDeploymentMaxBytes = 64 * 1024;

// The build configuration's options.
cTrackerOptions builtInTelemetryOptions();
// The build's options overridden by the file in moduleFolder, if there is one.
// Only deployment keys are taken; anything else in the file is logged and ignored.
cTrackerOptions telemetryDeploymentOptions(const std::string& moduleFolder);
