// The usage-statistics tracker. The interface itself is the null tracker,
// which answers every call with success and sends nothing: that is what runs
// when the user did not consent or no property is configured. The live
// tracker sends each hit as one asynchronous POST, within the shared limits,
// and falls silent for the rest of the run once a post fails.
#pragma once

#include "net/http_post_client.h"
#include "telemetry/analytics_payload.h"
#include "telemetry/hit_limiter.h"

#include <map>
#include <memory>
#include <string>

using cTrackerOptions = std::map<std::string, std::string>;

// The option keys a tracker reads.
namespace trackerOption {
inline constexpr const char* appName = "appName";
inline constexpr const char* appVersion = "appVersion";
inline constexpr const char* appLabel = "appLabel";
inline constexpr const char* appLabel2 = "appLabel2";
inline constexpr const char* userGaveConsent = "userGaveConsent";
inline constexpr const char* extraInfo = "ExtraInfo";
inline constexpr const char* trackingId = "trackingID";
inline constexpr const char* serverUrl = "serverUrl";
inline constexpr const char* serverType = "serverType";
inline constexpr const char* matomoUrl = "MatomoUrl";
inline constexpr const char* userLanguage = "userLanguage";
inline constexpr const char* sessionHitBudget = "sessionHitBudget";
inline constexpr const char* callHomeTrackingId = "callHomeTrackingID";
inline constexpr const char* proxyAddress = "proxyAddress";
inline constexpr const char* proxyPort = "proxyPort";
inline constexpr const char* proxyAuthScheme = "proxyAuthScheme";
inline constexpr const char* proxyUsername = "proxyUsername";
inline constexpr const char* proxyPassword = "proxyPassword";
}  // namespace trackerOption

// The library's name in texts and in the call-home label.
inline constexpr const char* kTelemetryLibraryName = "Cindralux v1.4.1-RC1";
inline constexpr const char* kTelemetryLibraryVersion = "1.4.1-RC1";
// How long the end of a run waits for hits still on their way.
constexpr int kTrackerDrainMilliseconds = 3000;

// Bits of the "ExtraInfo" option: what the system-information hit tells.
namespace systemInfoBit {
constexpr int installedRam = 2;
constexpr int freeRam = 4;
constexpr int cpuCores = 8;
constexpr int cpuModel = 16;
}  // namespace systemInfoBit

// How a tracker reaches the network and which limiter it draws on; tests give their own.
struct cTrackerEnvironment {
    keslHttpPostClient::RequestClientFactory requestClientFactory;  // empty: the platform's client
    keslHitLimiter* limiter = nullptr;                              // null: the process's limiter
};

class iAnalyticsTracker {
public:
    virtual ~iAnalyticsTracker() = default;
    virtual bool trackEvent(const std::string& /*action*/, const std::string& /*label*/, int /*value*/) { return true; }
    virtual bool trackScreenview(const std::string& /*screenName*/) { return true; }
    virtual bool trackPageview(const std::string& /*path*/, const std::string& /*title*/, bool /*systemInfo*/) {
        return true;
    }
    virtual bool trackException(const std::string& /*description*/, bool /*fatal*/) { return true; }
    // True unless the tracker is muted.
    virtual bool isActive() const { return true; }
    virtual bool sendSystemInfo(int /*bits*/) { return true; }
    virtual bool callHome() { return true; }
};

template <class Payload>
class cAnalyticsTracker final : public iAnalyticsTracker {
public:
    explicit cAnalyticsTracker(const cTrackerOptions& options, const cTrackerEnvironment& environment = {});
    ~cAnalyticsTracker() override;

    bool trackEvent(const std::string& action, const std::string& label, int value) override;
    bool trackScreenview(const std::string& screenName) override;
    bool trackPageview(const std::string& path, const std::string& title, bool systemInfo) override;
    bool trackException(const std::string& description, bool fatal) override;
    bool isActive() const override { return !m_muted; }
    bool sendSystemInfo(int bits) override;
    bool callHome() override;

    bool isDisabled() const { return m_disabled; }

private:
    std::string option(const char* key) const;
    bool send(const Payload& payload, bool limited);
    bool httpPost(const std::string& body);

    cTrackerOptions m_options;
    Payload m_session;
    std::string m_screenResolution;
    std::string m_userLanguage;
    std::string m_userAgent;
    bool m_muted = false;
    bool m_disabled = false;
    bool m_calledHome = false;
    bool m_serverIsLocal = false;
    keslHitLimiter& m_limiter;
    std::unique_ptr<keslHttpPostClient> m_post;
};

extern template class cAnalyticsTracker<cAnalyticsPayloadGA>;
extern template class cAnalyticsTracker<cAnalyticsPayloadMatomo>;

// Google Analytics property ids: "UA-<account>-<profile>".
bool isValidGooglePropertyId(const std::string& id);
// Matomo site ids: a positive decimal number.
bool isValidMatomoSiteId(const std::string& id);
// "16 GB", "15.5 GB": a memory size in steps of 1024.
std::string memorySizeText(double bytes);
