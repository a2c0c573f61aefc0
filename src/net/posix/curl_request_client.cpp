// The request client over libcurl: one worker thread drives every post of
// the client through a multi handle, so the frame loop never waits for the
// network. Each post ends on its own well within the shutdown drain (its
// whole time-out is shorter), and destroying the client cuts off whatever
// is still in flight and joins the worker: no request thread outlives the
// client, so none outlives main.
#include "net/http_request_client.h"
#include "net/server_url.h"

#include "util/log.h"

#include <curl/curl.h>

#include <mutex>
#include <thread>
#include <vector>

namespace {

// The whole of one post, name resolution included: a post started at the
// very end of a run is over before the drain gives up on it.
constexpr long kPostTotalMilliseconds = kPostTimeoutSeconds * 1000L - 500L;
// How long the worker sleeps when nothing happens (a new post or shutdown wakes it at once).
constexpr int kIdlePollMilliseconds = 1000;

size_t discardResponse(char*, size_t size, size_t count, void*) { return size * count; }

std::string proxyText(const keslProxyServer& server) {
    return server.address + ":" + std::to_string(server.port);
}

// One post: its easy handle and the header list the handle points to.
struct Transfer {
    CURL* easy = nullptr;
    curl_slist* headers = nullptr;
};

class keslHttpRequestClientCurl final : public keslHttpRequestClient {
public:
    keslHttpRequestClientCurl(const std::string& serverUrl, const keslProxy& proxy,
                              std::shared_ptr<keslRequestState> state)
        : m_url(serverUrl), m_proxy(proxy), m_state(std::move(state)) {
        logInfo("keslHttpRequestClientCurl Constructor");
        keslServerUrl parsed;
        if (!parseServerUrl(serverUrl, parsed)) {
            logError("keslHttpRequestClientCurl: cannot use the server address [%s]", serverUrl.c_str());
            return;
        }
        m_secure = parsed.secure;
        static std::once_flag globalInit;
        static CURLcode globalResult = CURLE_OK;
        std::call_once(globalInit, [] { globalResult = curl_global_init(CURL_GLOBAL_DEFAULT); });
        // Without libcurl's global state no request can ever be made.
        m_disabled = globalResult != CURLE_OK;
        if (m_disabled) {
            logError("keslHttpRequestClientCurl was disabled because curl_global_init() failed: %s",
                     curl_easy_strerror(globalResult));
            return;
        }
        m_multi = curl_multi_init();
        m_disabled = m_multi == nullptr;
        if (m_disabled) {
            logError("keslHttpRequestClientCurl was disabled because curl_multi_init() failed");
            return;
        }
        m_sessionGood = true;
    }

    ~keslHttpRequestClientCurl() override {
        if (!m_multi) return;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        if (m_worker.joinable()) {
            curl_multi_wakeup(m_multi);
            m_worker.join();
            logInfo("keslHttpRequestClientCurl: the request thread has ended");
        }
        // Posts the worker never picked up.
        for (Transfer* transfer : m_queued) finish(transfer);
        curl_multi_cleanup(m_multi);
    }

    int httpPostAsync(const std::string& body) override {
        logInfo("keslHttpRequestClientCurl::httpPostAsync() called");
        if (m_disabled) return kHttpClientDisabled;
        if (!m_sessionGood) {
            logError("error 1959: keslHttpRequestClientCurl::httpPostAsync isGood()");
            return kHttpNoSession;
        }
        auto* transfer = new Transfer;
        transfer->easy = curl_easy_init();
        if (!transfer->easy) {
            logError("#7412c: keslCurlRequestAsync() curl_easy_init() failed");
            delete transfer;
            m_state->errorOccurred.exchange(true);
            return kHttpRequestIssued;
        }
        configure(*transfer, body);
        const int pending = ++m_state->pending;
        logInfo("keslCurlRequestAsync::keslCurlRequestAsync, asyncCountrer=%i", pending);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_worker.joinable()) {
                try {
                    m_worker = std::thread(&keslHttpRequestClientCurl::work, this);
                } catch (const std::exception& e) {
                    logError("#7412a: the request thread could not start: %s", e.what());
                    finish(transfer);
                    m_state->errorOccurred.exchange(true);
                    return kHttpRequestIssued;
                }
            }
            m_queued.push_back(transfer);
        }
        curl_multi_wakeup(m_multi);
        return kHttpRequestIssued;
    }

private:
    void configure(Transfer& transfer, const std::string& body) const {
        CURL* handle = transfer.easy;
        transfer.headers = curl_slist_append(nullptr, "Content-Type: application/x-www-form-urlencoded");
        curl_easy_setopt(handle, CURLOPT_PRIVATE, &transfer);
        curl_easy_setopt(handle, CURLOPT_URL, m_url.c_str());
        curl_easy_setopt(handle, CURLOPT_COPYPOSTFIELDS, body.c_str());
        curl_easy_setopt(handle, CURLOPT_HTTPHEADER, transfer.headers);
        curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                         static_cast<long>(requestTimeouts(kPostTimeoutSeconds).connectMs));
        curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, kPostTotalMilliseconds);
        curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, discardResponse);
        const keslProxyServer& proxy = m_secure ? m_proxy.https : m_proxy.http;
        if (proxy.isSet()) {
            curl_easy_setopt(handle, CURLOPT_PROXY, proxyText(proxy).c_str());
            if (m_proxy.hasCredentials()) {
                curl_easy_setopt(handle, CURLOPT_PROXYUSERNAME, m_proxy.userName.c_str());
                curl_easy_setopt(handle, CURLOPT_PROXYPASSWORD, m_proxy.password.c_str());
            }
        }
    }

    // Frees one post and counts it out.
    void finish(Transfer* transfer) const {
        curl_slist_free_all(transfer->headers);
        curl_easy_cleanup(transfer->easy);
        delete transfer;
        --m_state->pending;
    }

    // The worker: adds the new posts, lets libcurl move them all on, logs
    // and frees those that ended, and sleeps until the network, a new post
    // or the shutdown wakes it. At shutdown it cuts off the posts left.
    void work() {
        std::vector<Transfer*> running;
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_stopping) break;
                for (Transfer* transfer : m_queued) {
                    curl_multi_add_handle(m_multi, transfer->easy);
                    running.push_back(transfer);
                }
                m_queued.clear();
            }
            int stillRunning = 0;
            curl_multi_perform(m_multi, &stillRunning);
            int left = 0;
            while (CURLMsg* message = curl_multi_info_read(m_multi, &left)) {
                if (message->msg != CURLMSG_DONE) continue;
                CURL* easy = message->easy_handle;
                const CURLcode result = message->data.result;
                logResult(easy, result);
                curl_multi_remove_handle(m_multi, easy);
                for (auto it = running.begin(); it != running.end(); ++it) {
                    if ((*it)->easy != easy) continue;
                    finish(*it);
                    running.erase(it);
                    break;
                }
            }
            curl_multi_poll(m_multi, nullptr, 0, kIdlePollMilliseconds, nullptr);
        }
        if (!running.empty())
            logInfo("keslHttpRequestClientCurl: %i request(s) cut off at shutdown", static_cast<int>(running.size()));
        for (Transfer* transfer : running) {
            curl_multi_remove_handle(m_multi, transfer->easy);
            finish(transfer);
        }
    }

    static void logResult(CURL* easy, CURLcode result) {
        if (result == CURLE_OK) {
            long status = 0;
            curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
            logInfo("async status code=%lu", static_cast<unsigned long>(status));
            return;
        }
        logInfo("curl_easy_perform() failed.\ncurl error code %i. %s", static_cast<int>(result),
                curl_easy_strerror(result));
    }

    std::string m_url;
    keslProxy m_proxy;
    std::shared_ptr<keslRequestState> m_state;
    bool m_disabled = false;
    bool m_secure = false;
    bool m_sessionGood = false;
    CURLM* m_multi = nullptr;
    std::mutex m_mutex;
    std::vector<Transfer*> m_queued;  // under m_mutex
    bool m_stopping = false;          // under m_mutex
    std::thread m_worker;
};

}  // namespace

std::unique_ptr<keslHttpRequestClient> makeHttpRequestClient(const std::string& serverUrl, const keslProxy& proxy,
                                                             std::shared_ptr<keslRequestState> state) {
    return std::make_unique<keslHttpRequestClientCurl>(serverUrl, proxy, std::move(state));
}
