#include "telemetry/analytics_tracker.h"

#include "net/server_url.h"
#include "system/system_services.h"
#include "telemetry/analytics_payload.h"
#include "telemetry/client_identity.h"
#include "util/log.h"
#include "util/log_guards.h"

#include <cstdio>
#include <cstdlib>
#include <thread>
#include <type_traits>

namespace {

constexpr int kGoogleRefusedAccount = 111111;
constexpr long long kGoogleMinAccount = 10000;
constexpr long long kGoogleMaxAccount = 1000000000;
constexpr int kGoogleMinProfile = 1;
constexpr int kGoogleMaxProfile = 25;
constexpr int kDefaultSessionHitBudget = 100;
constexpr int kHttpNotModified = 304;

bool isNumber(const std::string& text) {
    if (text.empty() || text.size() > 18) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

int intOr(const std::string& text, int fallback) {
    return isNumber(text) && text.size() < 10 ? std::atoi(text.c_str()) : fallback;
}

bool isResponseCodeOk(int code) { return (code >= 200 && code <= 299) || code == kHttpNotModified; }

keslProxy proxyFrom(const cTrackerOptions& options) {
    auto get = [&options](const char* key) {
        const auto found = options.find(key);
        return found == options.end() ? std::string() : found->second;
    };
    keslProxy proxy;
    const std::string address = get(trackerOption::proxyAddress);
    const std::string port = get(trackerOption::proxyPort);
    if (address.empty() != port.empty()) {
        logError("#7823a: the parameters must contain both or none of 'proxyAddress' and 'proxyPort'");
        return proxy;
    }
    if (address.empty()) return proxy;
    proxy.http = {address, intOr(port, 0)};
    proxy.https = proxy.http;
    proxy.userName = get(trackerOption::proxyUsername);
    proxy.password = get(trackerOption::proxyPassword);
    proxy.authScheme = intOr(get(trackerOption::proxyAuthScheme), 0);
    return proxy;
}

}  // namespace

bool isValidGooglePropertyId(const std::string& id) {
    if (id.compare(0, 3, "UA-") != 0) return false;
    std::string rest = id.substr(3);
    for (char& c : rest)
        if (c == '-') c = ' ';
    long long account = 0;
    int profile = 0;
    if (std::sscanf(rest.c_str(), "%lld %d", &account, &profile) != 2) return false;
    return account != kGoogleRefusedAccount && account >= kGoogleMinAccount && account <= kGoogleMaxAccount &&
           profile >= kGoogleMinProfile && profile <= kGoogleMaxProfile;
}

bool isValidMatomoSiteId(const std::string& id) { return isNumber(id) && std::atoll(id.c_str()) > 0; }

std::string memorySizeText(double bytes) {
    static const char* const units[] = {"bytes", "KB", "MB", "GB", "TB"};
    size_t unit = 0;
    while (bytes >= 1024.0 && unit + 1 < sizeof units / sizeof units[0]) {
        bytes *= 0.0009765625;
        ++unit;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.3g %s", bytes, units[unit]);
    return text;
}

template <class Payload>
cAnalyticsTracker<Payload>::cAnalyticsTracker(const cTrackerOptions& options, const cTrackerEnvironment& environment)
    : m_options(options), m_limiter(environment.limiter ? *environment.limiter : keslHitLimiter::shared()) {
    keslSystem& system = keslSystemServices();
    const std::string appName = option(trackerOption::appName);
    const std::string appVersion = option(trackerOption::appVersion);
    m_screenResolution = screenResolutionText(system.monitorRects());
    m_userLanguage = option(trackerOption::userLanguage);
    m_userAgent = userAgentFor(appName, appVersion, system.osVersion());

    m_session.resetToHeader();
    m_session.setTrackingId(option(trackerOption::trackingId));
    if (!m_screenResolution.empty()) m_session.setScreenResolution(m_screenResolution);
    if (!m_userLanguage.empty()) m_session.setUserLanguage(m_userLanguage);
    m_session.setUserAgent(m_userAgent);
    m_session.setClientId(processClientId());
    m_session.setApplicationFields(appName, appVersion, option(trackerOption::appLabel));

    const std::string id = option(trackerOption::trackingId);
    if (std::is_same<Payload, cAnalyticsPayloadGA>::value && !isValidGooglePropertyId(id)) {
        logWarning("Invalid Google propertyID:%s. All hits will be muted.", id.c_str());
        m_muted = true;
    }
    if (std::is_same<Payload, cAnalyticsPayloadMatomo>::value && !isValidMatomoSiteId(id)) {
        logWarning("Invalid Matomo siteID:%s. All hits will be muted.", id.c_str());
        m_muted = true;
    }
    logInfo("%s in %s", kTelemetryLibraryName, appName.c_str());
    logInfo("Anonymised clientID: %s", processClientId().c_str());
    logInfo("OS version: %s", system.osVersion().c_str());

    const std::string server = option(trackerOption::serverUrl);
    keslServerUrl parsed;
    m_serverIsLocal = parseServerUrl(server, parsed) && isLoopbackHost(parsed.host);
    m_limiter.init(intOr(option(trackerOption::sessionHitBudget), kDefaultSessionHitBudget), system.currentTime());
    m_post = environment.requestClientFactory
                 ? std::make_unique<keslHttpPostClient>(environment.requestClientFactory, kTrackerDrainMilliseconds)
                 : std::make_unique<keslHttpPostClient>(server, proxyFrom(options), kTrackerDrainMilliseconds);

    const std::string extraInfo = option(trackerOption::extraInfo);
    if (extraInfo.empty()) return;
    if (!isNumber(extraInfo) || extraInfo.size() > 9) {
        logWarning("Option ExtraInfo cannot be parsed as an integer:[%s]", extraInfo.c_str());
        return;
    }
    sendSystemInfo(std::atoi(extraInfo.c_str()));
}

template <class Payload>
cAnalyticsTracker<Payload>::~cAnalyticsTracker() = default;

template <class Payload>
std::string cAnalyticsTracker<Payload>::option(const char* key) const {
    const auto found = m_options.find(key);
    return found == m_options.end() ? std::string() : found->second;
}

template <class Payload>
bool cAnalyticsTracker<Payload>::trackEvent(const std::string& action, const std::string& label, int value) {
    logFunctionLife life("trackEvent()");
    logInfo("With eventAction:[%s] and eventLabel:[%s]", action.c_str(), label.c_str());
    callHome();
    Payload payload = m_session;
    payload.setEventHit(option(trackerOption::appName) + " events", action, label, value);
    return send(payload, true);
}

template <class Payload>
bool cAnalyticsTracker<Payload>::trackScreenview(const std::string& screenName) {
    logFunctionLife life("trackScreenview()");
    Payload payload = m_session;
    payload.setScreenviewHit(screenName);
    return send(payload, true);
}

template <class Payload>
bool cAnalyticsTracker<Payload>::trackPageview(const std::string& path, const std::string& title, bool systemInfo) {
    logFunctionLife life(systemInfo ? "trackPageview(system info hit)" : "trackPageview()");
    Payload payload = m_session;
    payload.setPageviewHit("/Cindralux/" + option(trackerOption::appName) + "/" + path, title);
    return send(payload, !systemInfo);
}

template <class Payload>
bool cAnalyticsTracker<Payload>::trackException(const std::string& description, bool fatal) {
    logFunctionLife life("trackException");
    Payload payload = m_session;
    payload.setExceptionHit(description, fatal);
    return send(payload, true);
}

template <class Payload>
bool cAnalyticsTracker<Payload>::sendSystemInfo(int bits) {
    keslSystem& system = keslSystemServices();
    bool allSent = true;
    auto hit = [&](const char* pathStart, const char* titleStart, const std::string& value) {
        allSent = trackPageview(std::string(pathStart) + value, std::string(titleStart) + value, true) && allSent;
    };
    if (bits & systemInfoBit::installedRam)
        hit("System-Info/Installed RAM memory/", "System info: Installed RAM: ",
            memorySizeText(static_cast<double>(system.installedMemoryBytes())));
    if (bits & systemInfoBit::freeRam)
        hit("System-Info/Free RAM memory/", "System info: Free RAM: ",
            memorySizeText(static_cast<double>(system.freeMemoryBytes())));
    if (bits & systemInfoBit::cpuCores)
        hit("System-Info/CPU-cores/", "System info: CPU cores: ", std::to_string(std::thread::hardware_concurrency()));
    if (bits & systemInfoBit::cpuModel) hit("System-Info/CPU-model/", "System info: CPU model: ", system.cpuModel());
    return allSent;
}

// Tells the library's vendor, once, which property uses it; only when the
// deployment names the vendor's property.
template <class Payload>
bool cAnalyticsTracker<Payload>::callHome() {
    const std::string vendorProperty = option(trackerOption::callHomeTrackingId);
    if (m_calledHome || vendorProperty.empty()) return true;
    m_calledHome = true;
    Payload payload;
    payload.resetToHeader();
    payload.setTrackingId(vendorProperty);
    if (!m_screenResolution.empty()) payload.setScreenResolution(m_screenResolution);
    if (!m_userLanguage.empty()) payload.setUserLanguage(m_userLanguage);
    payload.setUserAgent(m_userAgent);
    std::string action = "From " + option(trackerOption::trackingId);
    if (m_muted) action += " [muted]";
    payload.setEventHit("Call home", action,
                        option(trackerOption::appName) + "/v" + option(trackerOption::appVersion) + "/lib v" +
                            kTelemetryLibraryVersion,
                        1);
    if (!m_limiter.allowHit(keslSystemServices().currentTime())) return false;
    return httpPost(payload.body());
}

template <class Payload>
bool cAnalyticsTracker<Payload>::send(const Payload& payload, bool limited) {
    if (m_muted) return false;
    if (limited && !m_limiter.allowHit(keslSystemServices().currentTime())) return false;
    return httpPost(payload.body());
}

template <class Payload>
bool cAnalyticsTracker<Payload>::httpPost(const std::string& body) {
    if (m_post->errorOccurred()) {
        logInfo("httpPost() found that errorOccured().\n\n");
        m_disabled = true;
    }
    if (m_disabled) {
        logInfo("httpPost() aborted because it is disabled.\n\n");
        return false;
    }
    // A collector on this computer needs no way out of it.
    if (!m_serverIsLocal && !keslSystemServices().hasDefaultRoute()) {
        logInfo("httpPost() aborted because internet connection is down.\n\n");
        m_disabled = true;
        return false;
    }
    int code = 0;
    {
        logTimeCountrer timing("timing of httpPost()");
        code = m_post->post(body);
    }
    logInfo("httpPost() result code: %i", code);
    if (isResponseCodeOk(code)) {
        m_disabled = false;
        return true;
    }
    logInfo("httpPost() isResponseCode_Ok was false.\n\n");
    m_disabled = true;
    return false;
}

template class cAnalyticsTracker<cAnalyticsPayloadGA>;
template class cAnalyticsTracker<cAnalyticsPayloadMatomo>;
