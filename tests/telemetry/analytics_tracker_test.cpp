#include "telemetry/analytics_tracker.h"
#include "telemetry/client_identity.h"
#include "telemetry/telemetry.h"

#include "system/system_layer.h"

#include "support/fake_system.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

// Records every body and answers each post with a chosen code.
struct RecordedPosts {
    std::vector<std::string> bodies;
    int answer = 200;
};

class RecordingRequestClient : public keslHttpRequestClient {
public:
    explicit RecordingRequestClient(RecordedPosts& posts) : m_posts(posts) {}
    int httpPostAsync(const std::string& body) override {
        m_posts.bodies.push_back(body);
        return m_posts.answer;
    }

private:
    RecordedPosts& m_posts;
};

cTrackerEnvironment recordingEnvironment(RecordedPosts& posts, keslHitLimiter& limiter) {
    cTrackerEnvironment environment;
    environment.requestClientFactory = [&posts](std::shared_ptr<keslRequestState>) {
        return std::make_unique<RecordingRequestClient>(posts);
    };
    environment.limiter = &limiter;
    return environment;
}

cTrackerOptions matomoOptions() {
    return {{"appName", "Orvanel"},         {"appVersion", "5.9.4"},  {"appLabel", "Orvanel"},
            {"userGaveConsent", "1"},       {"trackingID", "3"},      {"serverType", "matomo"},
            {"serverUrl", "http://127.0.0.1:9/matomo.php"}, {"sessionHitBudget", "100"}};
}

}  // namespace

TEST(AnalyticsTracker, GooglePropertyIdsNeedAnAccountAndProfileInRange) {
    const struct {
        const char* id;
        bool valid;
    } cases[] = {
        {"UA-10000-1", true},   {"UA-1000000000-25", true}, {"UA-111111-1", false}, {"UA-10000-0", false},
        {"UA-10000-26", false}, {"UA-9999-1", false},       {"UA-1000000001-1", false}, {"10000-1", false},
        {"UA-", false},         {"", false},
        // Nothing but the two numbers, and no number out of range wraps into range.
        {"UA-10000-1-5", false}, {"UA-10000-1 ", false}, {"UA-+10000-1", false}, {"UA-10000--1", false},
        {"UA- 10000-1", false},  {"UA-10000", false},  {"UA-18446744073709561616-1", false},
        {"UA-10000-4294967297", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isValidGooglePropertyId(c.id), c.valid) << c.id;
}

TEST(AnalyticsTracker, InvalidPropertyMutesEveryHit) {
    FakeSystem system;
    LogCapture log;
    RecordedPosts posts;
    keslHitLimiter limiter;
    cTrackerOptions options = matomoOptions();
    options["serverType"] = "ga";
    options["trackingID"] = "UA-111111-1";
    cAnalyticsTracker<cAnalyticsPayloadGA> tracker(options, recordingEnvironment(posts, limiter));
    EXPECT_FALSE(tracker.isActive());
    EXPECT_FALSE(tracker.trackScreenview("screensaver run"));
    EXPECT_TRUE(posts.bodies.empty());
    EXPECT_TRUE(log.contains("Invalid Google propertyID:UA-111111-1. All hits will be muted."));
}

TEST(HitLimiter, RefusesBurstsAndRefillsTwoHitsASecond) {
    LogCapture log;
    keslHitLimiter limiter;
    limiter.init(100, 1000);
    for (int hit = 1; hit <= 10; ++hit) EXPECT_TRUE(limiter.allowHit(1000)) << "hit " << hit;
    EXPECT_FALSE(limiter.allowHit(1000));
    EXPECT_TRUE(log.contains("Hit not sent due to max hit rate limits."));
    EXPECT_TRUE(limiter.allowHit(1001));
    EXPECT_TRUE(limiter.allowHit(1001));
    EXPECT_FALSE(limiter.allowHit(1001));
}

TEST(HitLimiter, StopsAtTheSessionBudgetSetByTheFirstStart) {
    LogCapture log;
    keslHitLimiter limiter;
    limiter.init(3, 1000);
    limiter.init(50, 1000);
    EXPECT_TRUE(log.contains("#5832: re-initialization aborted"));
    for (int second = 0; second < 3; ++second) EXPECT_TRUE(limiter.allowHit(1000 + 10 * second));
    EXPECT_FALSE(limiter.allowHit(2000));
    EXPECT_TRUE(log.contains("Hit not sent due to max hit session limits."));
}

TEST(AnalyticsTracker, TwoHundredsAnd304SucceedAndAnyOtherCodeSilencesTheRun) {
    const struct {
        int code;
        bool ok;
    } cases[] = {{200, true}, {299, true}, {304, true}, {300, false}, {404, false}, {1201, false}, {1959, false}};
    for (const auto& c : cases) {
        FakeSystem system;
        LogCapture log;
        RecordedPosts posts;
        posts.answer = c.code;
        keslHitLimiter limiter;
        cAnalyticsTracker<cAnalyticsPayloadMatomo> tracker(matomoOptions(), recordingEnvironment(posts, limiter));
        EXPECT_EQ(tracker.trackScreenview("first"), c.ok) << c.code;
        EXPECT_EQ(tracker.trackScreenview("second"), c.ok) << c.code;
        EXPECT_EQ(posts.bodies.size(), c.ok ? 2u : 1u) << c.code;
        EXPECT_EQ(tracker.isDisabled(), !c.ok) << c.code;
    }
}

TEST(AnalyticsTracker, ScreenViewCarriesTheSessionFields) {
    FakeSystem system;
    system.computer = "sky-box";
    system.user = "alice";
    system.monitors = {{0, 0, 1920, 1080}, {0, 1920, 1280, 1024}};
    LogCapture log;
    RecordedPosts posts;
    keslHitLimiter limiter;
    cTrackerOptions options = matomoOptions();
    options["userLanguage"] = "de";
    cAnalyticsTracker<cAnalyticsPayloadMatomo> tracker(options, recordingEnvironment(posts, limiter));
    ASSERT_TRUE(tracker.trackScreenview("screensaver run"));
    ASSERT_EQ(posts.bodies.size(), 1u);
    const std::string& body = posts.bodies[0];
    for (const std::string& field : std::vector<std::string>{"idsite=3", "rec=1", "apiv=1", "t=screenview", "cd=screensaver%20run",
                                    "res=1920x1080%2C%201280x1024", "lang=de", "_id=" + anonymousClientId("sky-box", "alice", eClientIdForm::hex16),
                                    "ua=Orvanel%2F5.9.4"})
        EXPECT_NE(body.find(field), std::string::npos) << field << " in " << body;
}

TEST(AnalyticsTracker, WithoutConsentOrPropertyNothingIsSentNotEvenTheCallHome) {
    FakeSystem system;
    LogCapture log;
    RecordedPosts posts;
    keslHitLimiter limiter;
    cTrackerOptions noConsent = matomoOptions();
    noConsent.erase("userGaveConsent");
    noConsent["callHomeTrackingID"] = "1";
    cTrackerOptions noProperty = matomoOptions();
    noProperty["trackingID"] = "";
    for (const cTrackerOptions& options : {noConsent, noProperty}) {
        std::unique_ptr<iAnalyticsTracker> tracker =
            Cindralux::trackerFactoryWithConsent(options, recordingEnvironment(posts, limiter));
        EXPECT_EQ(typeid(*tracker), typeid(iAnalyticsTracker));
        EXPECT_TRUE(tracker->trackEvent("Telemetry consent ON", "Telemetry ON", 0));
    }
    EXPECT_TRUE(posts.bodies.empty());
    EXPECT_TRUE(log.contains("Telemetry is disabled because the user did not consent, or propertyID is NULL"));
}

TEST(AnalyticsTracker, FirstEventCallsHomeOnceWithTheLibraryLabel) {
    FakeSystem system;
    LogCapture log;
    RecordedPosts posts;
    keslHitLimiter limiter;
    cTrackerOptions options = matomoOptions();
    options["callHomeTrackingID"] = "99";
    cAnalyticsTracker<cAnalyticsPayloadMatomo> tracker(options, recordingEnvironment(posts, limiter));
    tracker.trackEvent("Telemetry consent ON", "Telemetry ON", 0);
    tracker.trackEvent("Telemetry consent OFF", "Telemetry OFF", 0);
    ASSERT_EQ(posts.bodies.size(), 3u);
    EXPECT_NE(posts.bodies[0].find("e_a=From%203&e_c=Call%20home&e_l=Orvanel%2Fv5.9.4%2Flib%20v1.4.1-RC1&e_v=1"),
              std::string::npos) << posts.bodies[0];
    EXPECT_NE(posts.bodies[0].find("idsite=99"), std::string::npos);
    EXPECT_EQ(posts.bodies[0].find("_id="), std::string::npos);
    EXPECT_NE(posts.bodies[1].find("e_c=Orvanel%20events"), std::string::npos);
}

TEST(AnalyticsTracker, MatomoSiteIdsArePositiveWholeNumbers) {
    for (const char* id : {"1", "5", "9223372036854775807"}) EXPECT_TRUE(isValidMatomoSiteId(id)) << id;
    for (const char* id : {"0", "-1", "+5", "5 ", "5x", "", "9223372036854775808"})
        EXPECT_FALSE(isValidMatomoSiteId(id)) << id;
}

namespace {

// What a host puts over the platform's services (as the Linux hosts do): it
// changes none of the answers about the computer and its user.
class PassingLayer final : public keslSystemLayer {};

std::string allBodies(const RecordedPosts& posts) {
    std::string text;
    for (const std::string& body : posts.bodies) text += body + "\n";
    return text;
}

}  // namespace

TEST(AnalyticsTracker, SystemInfoAndSessionFieldsComeThroughAHostsLayer) {
    FakeSystem system;
    system.computer = "sky-box";
    system.user = "alice";
    system.os = "Linux 6.1.0-18-amd64; x86_64";
    system.installedMemory = 17179869184ull;
    system.freeMemory = 1610612736ull;
    system.cpu = "  Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz ";
    const PassingLayer layer;
    LogCapture log;
    RecordedPosts posts;
    keslHitLimiter limiter;
    cTrackerOptions options = matomoOptions();
    options["ExtraInfo"] = "31";
    cAnalyticsTracker<cAnalyticsPayloadMatomo> tracker(options, recordingEnvironment(posts, limiter));
    ASSERT_EQ(posts.bodies.size(), 4u) << allBodies(posts);
    for (const std::string& body : posts.bodies) {
        EXPECT_TRUE(std::regex_search(body, std::regex("(^|&)_id=[0-9a-f]{16}&"))) << body;
        EXPECT_NE(body.find("_id=" + anonymousClientId("sky-box", "alice", eClientIdForm::hex16) + "&"),
                  std::string::npos)
            << body;
        EXPECT_NE(body.find("ua=Orvanel%2F5.9.4%20%28Linux%206.1.0-18-amd64%3B%20x86_64%29"), std::string::npos)
            << body;
    }
    const std::string text = allBodies(posts);
    for (const char* field : {"url=%2FCindralux%2FOrvanel%2FSystem-Info%2FInstalled%20RAM%20memory%2F16%20GB\n",
                              "url=%2FCindralux%2FOrvanel%2FSystem-Info%2FFree%20RAM%20memory%2F1.5%20GB\n",
                              "url=%2FCindralux%2FOrvanel%2FSystem-Info%2FCPU-cores%2F",
                              "url=%2FCindralux%2FOrvanel%2FSystem-Info%2FCPU-model%2FIntel%28R%29%20Core%28TM%29%20i5-"
                              "8250U%20CPU%20%40%201.60GHz\n"})
        EXPECT_NE(text.find(field), std::string::npos) << field << " in " << text;
    EXPECT_NE(anonymousClientId("sky-box", "alice", eClientIdForm::hex16),
              anonymousClientId("sky-box", "bob", eClientIdForm::hex16));
}

TEST(AnalyticsTracker, WhatTheSystemCannotTellIsLeftOutNeverSentAsZeroOrEmpty) {
    FakeSystem system;  // names nothing, knows no memory and no processor
    LogCapture log;
    RecordedPosts posts;
    keslHitLimiter limiter;
    cTrackerOptions options = matomoOptions();
    options["ExtraInfo"] = "31";
    cAnalyticsTracker<cAnalyticsPayloadMatomo> tracker(options, recordingEnvironment(posts, limiter));
    ASSERT_TRUE(tracker.trackScreenview("screensaver run"));
    const std::string text = allBodies(posts);
    ASSERT_EQ(posts.bodies.size(), 2u) << text;  // the processor cores, and the screen view
    EXPECT_NE(text.find("System-Info%2FCPU-cores%2F"), std::string::npos) << text;
    for (const char* absent : {"_id=", "%2F0%20bytes", "CPU-model", "RAM", "ua=Orvanel%2F5.9.4%20", "res="})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent << " in " << text;
    EXPECT_TRUE(log.contains("System info: CPU model: unknown; that hit is not sent"));
    EXPECT_TRUE(log.contains("Anonymised clientID: (unknown, not sent)"));

    // Google's protocol drops a hit without a client id: there it is a random one for the run.
    RecordedPosts googlePosts;
    cTrackerOptions google = matomoOptions();
    google["serverType"] = "ga";
    google["trackingID"] = "UA-10000-1";
    cAnalyticsTracker<cAnalyticsPayloadGA> googleTracker(google, recordingEnvironment(googlePosts, limiter));
    ASSERT_TRUE(googleTracker.trackScreenview("screensaver run"));
    ASSERT_EQ(googlePosts.bodies.size(), 1u);
    EXPECT_NE(googlePosts.bodies[0].find("cid="), std::string::npos) << googlePosts.bodies[0];
    EXPECT_EQ(googlePosts.bodies[0].find("cid=" + anonymousClientId("", "") + "&"), std::string::npos);
}

TEST(ClientIdentity, ClientIdIsTheFnv1aOfComputerAndUserName) {
    EXPECT_EQ(fnv1a32(""), 2166136261u);
    EXPECT_EQ(fnv1a32("a"), 0xe40c292cu);
    EXPECT_EQ(fnv1a32("foobar"), 0xbf9cf968u);
    EXPECT_EQ(anonymousClientId("DESKTOP-7Q2", "alice"), "4120069480");
}

// Matomo takes a visitor id only as 16 hex digits; shorter or decimal ids it
// ignores, counting every visitor by a fingerprint instead.
TEST(ClientIdentity, MatomoVisitorIdIsTheFnv1a64AsSixteenLowerCaseHexDigits) {
    EXPECT_EQ(fnv1a64(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(fnv1a64("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(fnv1a64("foobar"), 0x85944171f73967e8ull);
    EXPECT_EQ(anonymousClientId("foo", "bar", eClientIdForm::hex16), "85944171f73967e8");
    EXPECT_EQ(anonymousClientId("", "a", eClientIdForm::hex16), "af63dc4c8601ec8c");
    for (int run = 0; run < 8; ++run)
        EXPECT_TRUE(std::regex_match(runClientId(eClientIdForm::hex16), std::regex("[0-9a-f]{16}")));
    EXPECT_TRUE(std::regex_match(runClientId(eClientIdForm::decimal), std::regex("[0-9]{1,10}")));
}

TEST(ClientIdentity, SystemInfoSizesAreInStepsOf1024) {
    EXPECT_EQ(memorySizeText(17179869184.0), "16 GB");
    EXPECT_EQ(memorySizeText(1536.0), "1.5 KB");
    EXPECT_EQ(memorySizeText(0.0), "0 bytes");
}
