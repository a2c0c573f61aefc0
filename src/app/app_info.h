// The product's identity: who made it, what it is called, which version it
// is and where its pages live. Built once, never changed; the settings
// location, the About page and the usage statistics all read it.
#pragma once

#include <string>

struct keslAppInfo {
    std::string companyName;
    std::string productName;
    std::string appVersion;
    std::string buildTimestamp;
    std::string bundleIdentifier;
    std::string versionCopy;
    std::string buildTimestampCopy;
    std::string webSiteHost;
    std::string homePageUrl;
    std::string privacyPolicyUrl;
    std::string versionHistoryUrl;
    std::string salesEmail;
};

const keslAppInfo& appInfo();
