#include "telemetry/telemetry.h"

#include "system/system_services.h"
#include "util/log.h"

#include <exception>
#include <stdexcept>

namespace Cindralux {
namespace {

struct TelemetryState {
    cTrackerOptions options;
    bool optionWarnings = false;
    cTrackerEnvironment environment;
    std::unique_ptr<iAnalyticsTracker> tracker;
};

TelemetryState& state() {
    static TelemetryState telemetry;
    return telemetry;
}

std::string optionOr(const cTrackerOptions& options, const char* key, const std::string& fallback) {
    const auto found = options.find(key);
    return found == options.end() ? fallback : found->second;
}

// Windows XP and Server 2003 (NT 5.x) cannot speak the TLS the collectors want.
bool systemLacksSecureHttp() { return keslSystemServices().osVersion().compare(0, 12, "Windows NT 5") == 0; }

std::unique_ptr<iAnalyticsTracker> makeTracker(const cTrackerOptions& options, const cTrackerEnvironment& environment) {
    if (optionOr(options, trackerOption::serverType, "ga") == "ga")
        return std::make_unique<cAnalyticsTracker<cAnalyticsPayloadGA>>(options, environment);
    return std::make_unique<cAnalyticsTracker<cAnalyticsPayloadMatomo>>(options, environment);
}

}  // namespace

bool setOptions(const char* keyEqualsValue) {
    const std::string text = keyEqualsValue ? keyEqualsValue : "";
    const size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0) {
        state().optionWarnings = true;
        return false;
    }
    state().options[text.substr(0, equals)] = text.substr(equals + 1);
    return true;
}

void clearOptions() {
    state().options.clear();
    state().optionWarnings = false;
}

void setTrackerEnvironment(const cTrackerEnvironment& environment) { state().environment = environment; }

bool appTelemetryInit_notry(const char* appVersion, const char* appName, const char* appLabel,
                            const char* appLabel2) {
    TelemetryState& telemetry = state();
    if (telemetry.tracker) return true;
    if (!appVersion || !appName) {
        logError("appTelemetryInit_notry() called with at least one of the parameters NULL");
        return false;
    }
    if (telemetry.optionWarnings)
        logWarning("Warnings during the parcing of options (check the arguments to setOptions() function)");

    const std::string matomoUrl = optionOr(telemetry.options, trackerOption::matomoUrl, "");
    std::string serverUrl = matomoUrl.empty() ? kGoogleAnalyticsCollectUrl : matomoUrl;
    if (systemLacksSecureHttp() && serverUrl.compare(0, 8, "https://") == 0) {
        logInfo("fallback to http (not https)");
        serverUrl = "http://" + serverUrl.substr(8);
    }

    cTrackerOptions options = telemetry.options;
    options[trackerOption::appName] = appName;
    options[trackerOption::appVersion] = appVersion;
    options[trackerOption::appLabel] = appLabel ? appLabel : "";
    options[trackerOption::appLabel2] = appLabel2 ? appLabel2 : "";
    options[trackerOption::userGaveConsent] = "1";
    options[trackerOption::serverUrl] = serverUrl;
    options[trackerOption::serverType] = matomoUrl.empty() ? "ga" : "matomo";
    telemetry.tracker = trackerFactoryWithConsent(options, telemetry.environment);
    return true;
}

std::unique_ptr<iAnalyticsTracker> trackerFactoryWithConsent(const cTrackerOptions& options,
                                                             const cTrackerEnvironment& environment) {
    if (optionOr(options, trackerOption::userGaveConsent, "") != "1" ||
        optionOr(options, trackerOption::trackingId, "").empty()) {
        logInfo("Telemetry is disabled because the user did not consent, or propertyID is NULL");
        return std::make_unique<iAnalyticsTracker>();
    }
    try {
        return makeTracker(options, environment);
    } catch (const std::runtime_error& e) {
        logError("Runtime error caught:\n%s\n%s", e.what(), "trackerFactoryWithConsent()");
    } catch (const std::exception& e) {
        logError("Exception caught:\n%s\n%s", e.what(), "trackerFactoryWithConsent()");
    } catch (const char* text) {
        logError("Exception caught:\n%s\n%s", text ? text : "", "trackerFactoryWithConsent()");
    } catch (int value) {
        logError("integer exception caught:%i\n%s", value, "trackerFactoryWithConsent()");
    } catch (...) {
        logError("Exception caught:%s", "trackerFactoryWithConsent()");
    }
    return std::make_unique<iAnalyticsTracker>();
}

iAnalyticsTracker* tracker() { return state().tracker.get(); }

bool trackEvent(const std::string& action, const std::string& label, int value) {
    return !tracker() || tracker()->trackEvent(action, label, value);
}

bool trackScreenview(const std::string& screenName) { return !tracker() || tracker()->trackScreenview(screenName); }

bool trackPageview(const std::string& path, const std::string& title, bool systemInfo) {
    return !tracker() || tracker()->trackPageview(path, title, systemInfo);
}

bool trackException(const std::string& description, bool fatal) {
    return !tracker() || tracker()->trackException(description, fatal);
}

void stop() { state().tracker.reset(); }

}  // namespace Cindralux
