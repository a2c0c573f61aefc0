// The request client over libcurl: each post runs on a thread of its own, so
// the frame loop never waits for the network; the time-outs bound how long
// such a thread can live.
#include "net/http_request_client.h"
#include "net/server_url.h"

#include "util/log.h"

#include <curl/curl.h>

#include <mutex>
#include <thread>

namespace {

size_t discardResponse(char*, size_t size, size_t count, void*) { return size * count; }

std::string proxyText(const keslProxyServer& server) {
    return server.address + ":" + std::to_string(server.port);
}

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
        m_sessionGood = true;
    }

    int httpPostAsync(const std::string& body) override {
        logInfo("keslHttpRequestClientCurl::httpPostAsync() called");
        if (m_disabled) return kHttpClientDisabled;
        if (!m_sessionGood) {
            logError("error 1959: keslHttpRequestClientCurl::httpPostAsync isGood()");
            return kHttpNoSession;
        }
        CURL* handle = curl_easy_init();
        if (!handle) {
            logError("#7412c: keslCurlRequestAsync() curl_easy_init() failed");
            m_state->errorOccurred.exchange(true);
            return kHttpRequestIssued;
        }
        configure(handle, body);
        const int pending = ++m_state->pending;
        logInfo("keslCurlRequestAsync::keslCurlRequestAsync, asyncCountrer=%i", pending);
        try {
            std::thread(perform, handle, m_state).detach();
        } catch (const std::exception& e) {
            logError("#7412a: the request thread could not start: %s", e.what());
            curl_easy_cleanup(handle);
            --m_state->pending;
            m_state->errorOccurred.exchange(true);
        }
        return kHttpRequestIssued;
    }

private:
    void configure(CURL* handle, const std::string& body) const {
        const keslRequestTimeouts timeouts = requestTimeouts(kPostTimeoutSeconds);
        curl_easy_setopt(handle, CURLOPT_URL, m_url.c_str());
        curl_easy_setopt(handle, CURLOPT_COPYPOSTFIELDS, body.c_str());
        curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.connectMs));
        curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS,
                         static_cast<long>(timeouts.connectMs + timeouts.sendMs + timeouts.receiveMs));
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

    static void perform(CURL* handle, std::shared_ptr<keslRequestState> state) {
        curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/x-www-form-urlencoded");
        curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
        const CURLcode result = curl_easy_perform(handle);
        if (result == CURLE_OK) {
            long status = 0;
            curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
            logInfo("async status code=%lu", static_cast<unsigned long>(status));
        } else {
            logInfo("curl_easy_perform() failed.\ncurl error code %i. %s", static_cast<int>(result),
                    curl_easy_strerror(result));
        }
        curl_slist_free_all(headers);
        curl_easy_cleanup(handle);
        --state->pending;
    }

    std::string m_url;
    keslProxy m_proxy;
    std::shared_ptr<keslRequestState> m_state;
    bool m_disabled = false;
    bool m_secure = false;
    bool m_sessionGood = false;
};

}  // namespace

std::unique_ptr<keslHttpRequestClient> makeHttpRequestClient(const std::string& serverUrl, const keslProxy& proxy,
                                                             std::shared_ptr<keslRequestState> state) {
    return std::make_unique<keslHttpRequestClientCurl>(serverUrl, proxy, std::move(state));
}
