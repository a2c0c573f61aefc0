#include "net/http_post_client.h"

#include "util/log.h"

#include <algorithm>
#include <chrono>
#include <thread>

keslRequestTimeouts requestTimeouts(int seconds) {
    const int transfer = std::max(0, seconds * 1000 - 998);
    return {0, 499, transfer, transfer};
}

keslHttpPostClient::keslHttpPostClient(const std::string& serverUrl, const keslProxy& proxy, int drainMilliseconds)
    : m_drainMilliseconds(drainMilliseconds) {
    m_client = makeHttpRequestClient(serverUrl, proxy, m_state);
}

keslHttpPostClient::keslHttpPostClient(const RequestClientFactory& factory, int drainMilliseconds)
    : m_drainMilliseconds(drainMilliseconds) {
    m_client = factory(m_state);
}

keslHttpPostClient::~keslHttpPostClient() {
    int budget = m_drainMilliseconds;
    while (m_state->pending.load() > 0 && budget > 0) {
        logInfo("keslHttpPostClient destructor found %i pending tasks. Waiting...", m_state->pending.load());
        std::this_thread::sleep_for(std::chrono::milliseconds(kDrainStepMilliseconds));
        budget -= kDrainStepMilliseconds;
    }
    logInfo("keslHttpPostClient destructor found %i pending tasks", m_state->pending.load());
    if (budget <= 0) logInfo("keslHttpPostClient destructor: Timeout reached.");
}

int keslHttpPostClient::post(const std::string& body) {
    logInfo("Entering httpPostAsync(). Found %i pending tasks", m_state->pending.load());
    if (!m_client) return kHttpClientDisabled;
    return m_client->httpPostAsync(body);
}
