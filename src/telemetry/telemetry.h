// The process's usage statistics: the application sets its options, starts
// the one tracker (live with the user's consent and a configured property,
// the null tracker otherwise), tracks through it, and stops it at the end.
#pragma once

#include "telemetry/analytics_tracker.h"

#include <memory>
#include <string>

namespace Cindralux {

// One "key=value" option for the next start; false when it has no "=" or no key.
bool setOptions(const char* keyEqualsValue);
// Forgets every option set so far.
void clearOptions();

// Starts the process's tracker once; a second call while one exists does nothing.
bool appTelemetryInit_notry(const char* appVersion, const char* appName, const char* appLabel,
                            const char* appLabel2);
// The live tracker for the options, or the null tracker without consent or property.
std::unique_ptr<iAnalyticsTracker> trackerFactoryWithConsent(const cTrackerOptions& options,
                                                             const cTrackerEnvironment& environment = {});
// How the next started tracker reaches the network (tests).
void setTrackerEnvironment(const cTrackerEnvironment& environment);

// The process's tracker, or nullptr before the start and after the stop.
iAnalyticsTracker* tracker();
bool trackEvent(const std::string& action, const std::string& label, int value);
bool trackScreenview(const std::string& screenName);
bool trackPageview(const std::string& path, const std::string& title, bool systemInfo = false);
bool trackException(const std::string& description, bool fatal);
// Deletes the tracker; its post client waits a bounded time for hits in flight.
void stop();

// The Google Analytics collection endpoint, used when no Matomo server is set.
inline constexpr const char* kGoogleAnalyticsCollectUrl = "https://www.google-analytics.com/collect";

}  // namespace Cindralux
