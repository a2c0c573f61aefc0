// The operating system's HTTP service behind one small interface: a request
// client is built for one server address and starts form-urlencoded POSTs
// that complete on the service's own threads. The caller never waits for the
// server; the shared state counts the requests still in flight.
#pragma once

#include "net/proxy.h"

#include <atomic>
#include <memory>
#include <string>

// What an in-flight request shares with the client that started it. Shared,
// not borrowed: a WinHTTP request that outlives its client (the shutdown
// drain gave up on it) still has somewhere to count itself out. (The libcurl
// client cuts off and joins its requests when it is destroyed.)
struct keslRequestState {
    std::atomic<int> pending{0};
    std::atomic<bool> errorOccurred{false};
};

// The immediate answers of a post; the server's own status is only logged.
constexpr int kHttpRequestIssued = 200;
constexpr int kHttpClientDisabled = 1201;
constexpr int kHttpNoSession = 1959;
// Whole seconds a statistics post may take.
constexpr int kPostTimeoutSeconds = 3;

class keslHttpRequestClient {
public:
    virtual ~keslHttpRequestClient() = default;
    virtual int httpPostAsync(const std::string& body) = 0;
};

// The platform's client (WinHTTP on Windows, libcurl elsewhere).
std::unique_ptr<keslHttpRequestClient> makeHttpRequestClient(const std::string& serverUrl, const keslProxy& proxy,
                                                             std::shared_ptr<keslRequestState> state);

// The time-outs of one request, in milliseconds, from a time-out in whole
// seconds: name resolution unbounded, a short connect, and send and receive
// each a little under the given seconds.
struct keslRequestTimeouts {
    int resolveMs;
    int connectMs;
    int sendMs;
    int receiveMs;
};
keslRequestTimeouts requestTimeouts(int seconds);
