#include "app/app_info.h"

namespace {

constexpr const char* kVersion = "5.9.4";
constexpr const char* kBuildTimestamp = "Oct  2 2020  20:33:10";
constexpr const char* kWebSiteHost = "www.orvanel.com";

keslAppInfo makeAppInfo() {
    const std::string site = std::string("https://") + kWebSiteHost + "/";
    keslAppInfo info;
    info.companyName = "Orvanel software";
    info.productName = "Orvanel screensaver";
    info.appVersion = kVersion;
    info.buildTimestamp = kBuildTimestamp;
    info.bundleIdentifier = "com.orvanel.screensaver";
    info.versionCopy = kVersion;
    info.buildTimestampCopy = kBuildTimestamp;
    info.webSiteHost = kWebSiteHost;
    info.homePageUrl = site + "?from=program";
    info.privacyPolicyUrl = site + "privacy-policy.html?from=program";
    info.versionHistoryUrl = site + "download.html?from=program#VersionHistory";
    info.salesEmail = "sales@orvanel.com";
    return info;
}

}  // namespace

const keslAppInfo& appInfo() {
    static const keslAppInfo info = makeAppInfo();
    return info;
}
