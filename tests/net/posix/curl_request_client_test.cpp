// The libcurl client against a collector that accepts the connection and
// never answers (a listening socket nobody accepts from): its posts end on
// their own time-out within the drain, the end of the client cuts off what
// is left, and no request thread outlives the client.
#include "net/http_post_client.h"

#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace {

class SilentCollector {
public:
    SilentCollector() {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(m_socket, 8) != 0 ||
            getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            ADD_FAILURE() << "no listening socket";
        m_url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/matomo.php";
    }
    ~SilentCollector() { close(m_socket); }
    const std::string& url() const { return m_url; }

private:
    int m_socket = -1;
    std::string m_url;
};

int liveThreads() {
    int count = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task")) ++count;
    return count;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

TEST(CurlRequestClient, AHangingPostEndsOnItsOwnTimeOutWithinTheDrain) {
    LogCapture log;
    SilentCollector collector;
    const int threadsBefore = liveThreads();
    std::chrono::steady_clock::time_point start;
    {
        keslHttpPostClient client(collector.url(), keslProxy{}, 3000);
        EXPECT_EQ(client.post("a=1"), 200);
        start = std::chrono::steady_clock::now();
    }
    EXPECT_LT(secondsSince(start), 2.9);
    EXPECT_TRUE(log.contains("curl error code 28"));
    EXPECT_FALSE(log.contains("Timeout reached."));
    EXPECT_EQ(liveThreads(), threadsBefore);
}

TEST(CurlRequestClient, TheEndCutsOffWhatIsLeftAndJoinsTheOneRequestThread) {
    LogCapture log;
    SilentCollector collector;
    const int threadsBefore = liveThreads();
    std::chrono::steady_clock::time_point start;
    {
        keslHttpPostClient client(collector.url(), keslProxy{}, 200);
        for (int hit = 0; hit < 3; ++hit) EXPECT_EQ(client.post("a=1"), 200);
        EXPECT_EQ(client.pendingCount(), 3);
        EXPECT_EQ(liveThreads(), threadsBefore + 1);
        start = std::chrono::steady_clock::now();
    }
    EXPECT_LT(secondsSince(start), 0.5);
    EXPECT_TRUE(log.contains("keslHttpPostClient destructor: Timeout reached."));
    EXPECT_TRUE(log.contains("3 request(s) cut off at shutdown"));
    EXPECT_TRUE(log.contains("the request thread has ended"));
    EXPECT_EQ(liveThreads(), threadsBefore);
}
