#include "net/http_post_client.h"
#include "net/server_url.h"

#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

// Starts requests that never finish, as against a server that never answers.
class HangingRequestClient : public keslHttpRequestClient {
public:
    explicit HangingRequestClient(std::shared_ptr<keslRequestState> state) : m_state(std::move(state)) {}
    int httpPostAsync(const std::string&) override {
        ++m_state->pending;
        return kHttpRequestIssued;
    }

private:
    std::shared_ptr<keslRequestState> m_state;
};

}  // namespace

TEST(HttpPostClient, ShutdownGivesUpOnAHangingRequestAfterThreeSeconds) {
    LogCapture log;
    const auto start = std::chrono::steady_clock::now();
    {
        keslHttpPostClient client([](auto state) { return std::make_unique<HangingRequestClient>(state); }, 3000);
        EXPECT_EQ(client.post("a=1"), 200);
        EXPECT_EQ(client.pendingCount(), 1);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(seconds, 3.0);
    EXPECT_LT(seconds, 3.1);
    const std::string text = log.contents();
    EXPECT_NE(text.find("keslHttpPostClient destructor found 1 pending tasks. Waiting..."), std::string::npos);
    EXPECT_NE(text.find("keslHttpPostClient destructor: Timeout reached."), std::string::npos);
}

TEST(HttpPostClient, AClientForAnUnusableAddressHasNoSessionAndStartsNothing) {
    LogCapture log;
    keslHttpPostClient client("ftp://example.com/collect", keslProxy{}, 3000);
    EXPECT_EQ(client.post("a=1"), 1959);
    EXPECT_EQ(client.pendingCount(), 0);
}

TEST(ServerUrl, SplitsSchemeHostPortAndPath) {
    const struct {
        const char* url;
        bool ok;
        bool secure;
        const char* host;
        int port;
        const char* path;
    } cases[] = {
        {"https://www.google-analytics.com/collect", true, true, "www.google-analytics.com", 443, "/collect"},
        {"http://127.0.0.1:8099/matomo.php", true, false, "127.0.0.1", 8099, "/matomo.php"},
        {"HTTP://stats.example.org", true, false, "stats.example.org", 80, "/"},
        {"ftp://example.com/", false, false, "", 0, ""},
        {"http://:80/x", false, false, "", 0, ""},
        {"http://host:99999/x", false, false, "", 0, ""},
        {"http://host:8a/x", false, false, "", 0, ""},
        {"example.com/collect", false, false, "", 0, ""},
    };
    for (const auto& c : cases) {
        keslServerUrl url;
        ASSERT_EQ(parseServerUrl(c.url, url), c.ok) << c.url;
        if (!c.ok) continue;
        EXPECT_EQ(url.secure, c.secure) << c.url;
        EXPECT_EQ(url.host, c.host) << c.url;
        EXPECT_EQ(url.port, c.port) << c.url;
        EXPECT_EQ(url.path, c.path) << c.url;
    }
}

TEST(HttpRequestClient, PostTimeoutsFollowTheWholeSeconds) {
    const keslRequestTimeouts post = requestTimeouts(3);
    EXPECT_EQ(post.resolveMs, 0);
    EXPECT_EQ(post.connectMs, 499);
    EXPECT_EQ(post.sendMs, 2002);
    EXPECT_EQ(post.receiveMs, 2002);
    EXPECT_EQ(requestTimeouts(0).sendMs, 0);
}
