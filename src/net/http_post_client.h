// Fire-and-forget posting for the usage statistics: wraps one request client,
// and at destruction waits a bounded time for the posts still in flight, so
// a hit sent just before the end is not cut off, nor the end held up.
#pragma once

#include "net/http_request_client.h"

#include <functional>
#include <memory>
#include <string>

class keslHttpPostClient {
public:
    using RequestClientFactory =
        std::function<std::unique_ptr<keslHttpRequestClient>(std::shared_ptr<keslRequestState>)>;
    static constexpr int kDrainStepMilliseconds = 100;

    keslHttpPostClient(const std::string& serverUrl, const keslProxy& proxy, int drainMilliseconds);
    // Over another request client (tests).
    keslHttpPostClient(const RequestClientFactory& factory, int drainMilliseconds);
    ~keslHttpPostClient();
    keslHttpPostClient(const keslHttpPostClient&) = delete;
    keslHttpPostClient& operator=(const keslHttpPostClient&) = delete;

    int post(const std::string& body);
    int pendingCount() const { return m_state->pending.load(); }
    bool errorOccurred() const { return m_state->errorOccurred.load(); }

private:
    std::shared_ptr<keslRequestState> m_state = std::make_shared<keslRequestState>();
    std::unique_ptr<keslHttpRequestClient> m_client;
    int m_drainMilliseconds;
};
