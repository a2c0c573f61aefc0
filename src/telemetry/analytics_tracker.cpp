#include "telemetry/analytics_tracker.h"

#include "net/server_url.h"
#include "system/system_services.h"
#include "telemetry/analytics_payload.h"
#include "telemetry/client_identity.h"
#include "util/log.h"
#include "util/file_system.h"
#include "util/log_guards.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <system_error>
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

// A whole decimal number in [minimum, maximum], digits only (no sign, no
// blanks, nothing after): anything else, or out of range, is no number.
bool parseDecimal(const std::string& text, long long minimum, long long maximum, long long& value) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    long long parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || parsed < minimum || parsed > maximum) return false;
    value = parsed;
    return true;
}

int intOr(const std::string& text, int fallback) {
    long long value = 0;
    return parseDecimal(text, 0, std::numeric_limits<int>::max(), value) ? static_cast<int>(value) : fallback;
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
    const size_t dash = id.find('-', 3);
    if (dash == std::string::npos) return false;
    long long account = 0;
    long long profile = 0;
    return parseDecimal(id.substr(3, dash - 3), kGoogleMinAccount, kGoogleMaxAccount, account) &&
           account != kGoogleRefusedAccount &&
           parseDecimal(id.substr(dash + 1), kGoogleMinProfile, kGoogleMaxProfile, profile);
}

bool isValidMatomoSiteId(const std::string& id) {
    long long site = 0;
    return parseDecimal(id, 1, std::numeric_limits<long long>::max(), site);
}

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
    // A value the system will not give is left out, never sent as 0 or
    // empty; only a collector that drops hits without a client id gets one
    // of its own, new for every run.
    std::string clientId = currentClientId(m_session.clientIdForm());
    if (clientId.empty() && m_session.requiresClientId()) {
        // Random, so that computers the system cannot name do not all count as one visitor.
        clientId = runClientId(m_session.clientIdForm());
        logInfo("The system names neither computer nor user: this run's clientID is random");
    }
    if (!clientId.empty()) m_session.setClientId(clientId);
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
    logInfo("Anonymised clientID: %s", clientId.empty() ? "(unknown, not sent)" : clientId.c_str());
    const std::string osVersion = system.osVersion();
    logInfo("OS version: %s", osVersion.empty() ? "(unknown, not sent)" : osVersion.c_str());

    const std::string server = option(trackerOption::serverUrl);
    keslServerUrl parsed;
    m_serverIsLocal = parseServerUrl(server, parsed) && isLoopbackHost(parsed.host);
    m_limiter.init(intOr(option(trackerOption::sessionHitBudget), kDefaultSessionHitBudget), system.currentTime());
    m_post = environment.requestClientFactory
                 ? std::make_unique<keslHttpPostClient>(environment.requestClientFactory, kTrackerDrainMilliseconds)
                 : std::make_unique<keslHttpPostClient>(server, proxyFrom(options), kTrackerDrainMilliseconds);

    const std::string extraInfo = option(trackerOption::extraInfo);
    if (extraInfo.empty()) return;
    long long bits = 0;
    if (!parseDecimal(extraInfo, 0, std::numeric_limits<int>::max(), bits)) {
        logWarning("Option ExtraInfo cannot be parsed as an integer:[%s]", extraInfo.c_str());
        return;
    }
    sendSystemInfo(static_cast<int>(bits));
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
    // A fact the system will not tell (0 bytes, no cores, no model) is no
    // fact: its hit is left out rather than sent as 0 or empty.
    auto hit = [&](const char* pathStart, const char* titleStart, const std::string& value) {
        if (value.empty()) {
            logInfo("%sunknown; that hit is not sent", titleStart);
            return;
        }
        allSent = trackPageview(std::string(pathStart) + value, std::string(titleStart) + value, true) && allSent;
    };
    auto memory = [](std::uint64_t bytes) { return bytes ? memorySizeText(static_cast<double>(bytes)) : std::string(); };
    if (bits & systemInfoBit::installedRam)
        hit("System-Info/Installed RAM memory/", "System info: Installed RAM: ", memory(system.installedMemoryBytes()));
    if (bits & systemInfoBit::freeRam)
        hit("System-Info/Free RAM memory/", "System info: Free RAM: ", memory(system.freeMemoryBytes()));
    if (bits & systemInfoBit::cpuCores) {
        const unsigned cores = std::thread::hardware_concurrency();
        hit("System-Info/CPU-cores/", "System info: CPU cores: ", cores ? std::to_string(cores) : std::string());
    }
    if (bits & systemInfoBit::cpuModel)
        hit("System-Info/CPU-model/", "System info: CPU model: ", keslFileSystemMini::trim(system.cpuModel()));
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
