// The request client over WinHTTP in asynchronous mode. Each request is an
// object handed to WinHTTP as its context; one status callback, running on
// WinHTTP's threads, drives every request to its end and frees it there.
#include "net/http_request_client.h"
#include "net/server_url.h"
#include "net/win32/winhttp_errors.h"
#include "net/win32/winhttp_handles.h"
#include "system/win32/wide_text.h"

#include "util/log.h"

#include <atomic>

namespace {

constexpr DWORD kRedirectPolicyAlways = 2;
constexpr int kResendRetries = 3;
constexpr DWORD kAllowedCertificateErrors = 0x3100;

// "http=host:port;https=host:port", the form WinHTTP reads a named proxy in.
std::wstring proxySpec(const keslProxy& proxy) {
    std::wstring spec;
    auto add = [&spec](const char* scheme, const keslProxyServer& server) {
        if (!server.isSet()) return;
        if (!spec.empty()) spec += L";";
        spec += keslWideFromUtf8(std::string(scheme) + "=" + server.address + ":" + std::to_string(server.port));
    };
    add("http", proxy.http);
    add("https", proxy.https);
    return spec;
}

void CALLBACK winHttp_ProgressCallback(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD infoLength);

struct RequestOptions {
    bool secure = false;
    int timeoutSeconds = kPostTimeoutSeconds;
    bool ignoreCertificateErrors = false;
    const keslProxy* proxy = nullptr;
};

// One in-flight request. Lives from its creation until the callback sees it
// answered or failed; after a successful send nothing but the callback may
// touch it.
class keslWinHttpRequestAsync {
public:
    keslWinHttpRequestAsync(HINTERNET connection, const std::wstring& path, const std::string& body,
                            const RequestOptions& options, std::shared_ptr<keslRequestState> state)
        : m_state(std::move(state)), m_body(body) {
        const DWORD flags = WINHTTP_FLAG_REFRESH | (options.secure ? WINHTTP_FLAG_SECURE : 0);
        m_request.reset(WinHttpOpenRequest(connection, L"POST", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                           WINHTTP_DEFAULT_ACCEPT_TYPES, flags));
        if (m_request.isGood()) configure(options);
        const int pending = ++m_state->pending;
        logInfo("keslWinHttpRequestAsync::keslWinHttpRequestAsync, asyncCountrer=%i", pending);
        if (!m_request.isGood()) {
            logWinHttpFailure("WinHttpOpenRequest", GetLastError());
            logError("#7412c: keslWinHttpRequestAsync() !m_request.isGood()");
            m_state->errorOccurred.exchange(true);
        }
    }

    ~keslWinHttpRequestAsync() {
        logInfo("destructor with context =%lu", contextValue());
        m_body.clear();
        m_request.close();
        --m_state->pending;
    }

    unsigned long contextValue() const { return static_cast<unsigned long>(reinterpret_cast<DWORD_PTR>(this)); }

    // False when the request never left; the caller then frees it.
    bool send() {
        if (!m_request.isGood()) return false;
        const HINTERNET request = m_request.get();
        WinHttpSetStatusCallback(request, winHttp_ProgressCallback, WINHTTP_CALLBACK_FLAG_ALL_NOTIFICATIONS, 0);
        logInfo("sendRequest() called for context %lu", contextValue());
        static const wchar_t kHeader[] = L"Content-Type: application/x-www-form-urlencoded";
        const DWORD length = static_cast<DWORD>(m_body.size());
        const DWORD_PTR context = reinterpret_cast<DWORD_PTR>(this);
        for (int attempt = 0; attempt <= kResendRetries; ++attempt) {
            if (WinHttpSendRequest(request, kHeader, static_cast<DWORD>(-1L), const_cast<char*>(m_body.data()), length,
                                   length, context))
                return true;
            const DWORD error = GetLastError();
            if (error != ERROR_WINHTTP_RESEND_REQUEST || attempt == kResendRetries) {
                logWinHttpFailure("WinHttpSendRequest", error);
                break;
            }
        }
        logError("#7412a: sendRequestAsync() winApiResult == FALSE");
        m_state->errorOccurred.exchange(true);
        return false;
    }

    // False when the response can no longer come: the request is over.
    bool receiveResponse() {
        if (m_receiveCalled.exchange(true)) {
            logInfo("receiveResponse() called AGAIN for context %lu", contextValue());
            return true;
        }
        logInfo("receiveResponse() called for context %lu", contextValue());
        if (WinHttpReceiveResponse(m_request.get(), nullptr)) return true;
        logWinHttpFailure("WinHttpReceiveResponse", GetLastError());
        logError("#7412b: receiveResponse() == FALSE");
        return false;
    }

    void logStatusCode() {
        if (m_statusQueried.exchange(true)) return;
        logInfo("getStatusCode() called for context %lu", contextValue());
        DWORD status = 0;
        DWORD size = sizeof status;
        if (WinHttpQueryHeaders(m_request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
            logInfo("async status code=%lu", static_cast<unsigned long>(status));
        else
            logWinHttpFailure("WinHttpQueryHeaders", GetLastError());
    }

private:
    void configure(const RequestOptions& options) {
        const keslRequestTimeouts timeouts = requestTimeouts(options.timeoutSeconds);
        if (!WinHttpSetTimeouts(m_request.get(), timeouts.resolveMs, timeouts.connectMs, timeouts.sendMs,
                                timeouts.receiveMs))
            logWinHttpFailure("WinHttpSetTimeouts", GetLastError());
        if (options.ignoreCertificateErrors) {
            DWORD flags = kAllowedCertificateErrors;
            WinHttpSetOption(m_request.get(), WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof flags);
        }
        if (options.proxy && options.proxy->isSet() && options.proxy->hasCredentials()) setProxyCredentials(*options.proxy);
    }

    void setProxyCredentials(const keslProxy& proxy) {
        logInfo("setProxyCredentials. username:%s, password: <masked>, authScheme:%i", proxy.userName.c_str(),
                proxy.authScheme);
        const DWORD scheme = proxy.authScheme > 0 ? static_cast<DWORD>(proxy.authScheme) : WINHTTP_AUTH_SCHEME_BASIC;
        const std::wstring user = keslWideFromUtf8(proxy.userName);
        const std::wstring password = keslWideFromUtf8(proxy.password);
        if (!WinHttpSetCredentials(m_request.get(), WINHTTP_AUTH_TARGET_PROXY, scheme, user.c_str(), password.c_str(),
                                   nullptr))
            logWinHttpFailure("WinHttpSetCredentials", GetLastError());
    }

    cWinHttp_request m_request;
    std::shared_ptr<keslRequestState> m_state;
    std::string m_body;
    std::atomic<bool> m_receiveCalled{false};
    std::atomic<bool> m_statusQueried{false};
};

const char* failingCall(DWORD_PTR apiCode) {
    switch (apiCode) {
    case 1: return ". The error occurred during a call to WinHttpReceiveResponse.";
    case 2: return ". The error occurred during a call to WinHttpQueryDataAvailable.";
    case 3: return ". The error occurred during a call to WinHttpReadData.";
    case 4: return ". The error occurred during a call to WinHttpWriteData.";
    case 5: return ". The error occurred during a call to WinHttpSendRequest.";
    default: return ".";
    }
}

const char* progressStatusName(DWORD status) {
    switch (status) {
    case WINHTTP_CALLBACK_STATUS_RESOLVING_NAME: return "RESOLVING_NAME";
    case WINHTTP_CALLBACK_STATUS_NAME_RESOLVED: return "NAME_RESOLVED";
    case WINHTTP_CALLBACK_STATUS_SENDING_REQUEST: return "SENDING_REQUEST";
    case WINHTTP_CALLBACK_STATUS_REQUEST_SENT: return "REQUEST_SENT";
    case WINHTTP_CALLBACK_STATUS_RECEIVING_RESPONSE: return "RECEIVING_RESPONSE";
    case WINHTTP_CALLBACK_STATUS_RESPONSE_RECEIVED: return "RESPONSE_RECEIVED";
    case WINHTTP_CALLBACK_STATUS_CLOSING_CONNECTION: return "CLOSING_CONNECTION";
    case WINHTTP_CALLBACK_STATUS_HANDLE_CREATED: return "HANDLE_CREATED";
    case WINHTTP_CALLBACK_STATUS_HANDLE_CLOSING: return "HANDLE_CLOSING";
    case WINHTTP_CALLBACK_STATUS_DATA_AVAILABLE: return "DATA_AVAILABLE";
    case WINHTTP_CALLBACK_STATUS_READ_COMPLETE: return "READ_COMPLETE";
    default: return nullptr;
    }
}

// Progress notifications only name the context, never read it: some of them
// (the handle closing) arrive after the request object is gone.
void CALLBACK winHttp_ProgressCallback(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD) {
    if (!context) {
        logError("winHttp_ProgressCallback called with NULL dwContext");
        return;
    }
    const unsigned long contextValue = static_cast<unsigned long>(context);
    auto* request = reinterpret_cast<keslWinHttpRequestAsync*>(context);
    switch (status) {
    case WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE:
        logInfo("WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE for context %lu", contextValue);
        if (!request->receiveResponse()) delete request;
        return;
    case WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE:
        logInfo("WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE for context %lu", contextValue);
        request->logStatusCode();
        delete request;
        return;
    case WINHTTP_CALLBACK_STATUS_REQUEST_ERROR: {
        logInfo("WINHTTP_CALLBACK_STATUS_REQUEST_ERROR for context %lu", contextValue);
        const auto* result = static_cast<const WINHTTP_ASYNC_RESULT*>(info);
        if (result) {
            logInfo("Windows error code %lu %s%s", static_cast<unsigned long>(result->dwError),
                    getWindowsErrorText(result->dwError).c_str(), failingCall(result->dwResult));
        }
        // A failed request is over too: it must leave the pending count, or
        // every shutdown after a network error would wait out the whole drain.
        delete request;
        return;
    }
    default: break;
    }
    if (const char* name = progressStatusName(status)) {
        logInfo("WINHTTP_CALLBACK_STATUS_%s for context %lu", name, contextValue);
        return;
    }
    logInfo("winHttp_ProgressCallback ignored dwInternetStatus=%li", static_cast<long>(status));
}

class keslHttpRequestClientWin final : public keslHttpRequestClient {
public:
    keslHttpRequestClientWin(const std::string& serverUrl, const keslProxy& proxy,
                             std::shared_ptr<keslRequestState> state)
        : m_serverUrl(serverUrl), m_proxy(proxy), m_state(std::move(state)) {
        logInfo("keslHttpRequestClientWin Constructor");
        if (!WinHttpCheckPlatform()) {
            logWarning("keslHttpRequestClientWin was disabled becayse WinHTTP is not supported by your Windows version.");
            m_disabled = true;
            return;
        }
        if (!parseServerUrl(serverUrl, m_url)) {
            logError("keslHttpRequestClientWin: cannot use the server address [%s]", serverUrl.c_str());
            return;
        }
        openSession();
        openConnection();
    }

    int httpPostAsync(const std::string& body) override {
        logInfo("keslHttpRequestClientWin::httpPostAsync() called");
        if (m_disabled) return kHttpClientDisabled;
        if (!m_session.isGood() || !m_connection.isGood()) {
            logError("error 1959: keslHttpRequestClientWin::httpPostAsync isGood()");
            return kHttpNoSession;
        }
        RequestOptions options;
        options.secure = m_url.secure;
        options.proxy = &m_proxy;
        auto* request =
            new keslWinHttpRequestAsync(m_connection.get(), keslWideFromUtf8(m_url.path), body, options, m_state);
        if (!request->send()) delete request;
        return kHttpRequestIssued;
    }

private:
    void openSession() {
        const std::wstring spec = proxySpec(m_proxy);
        if (!spec.empty()) logInfo("Will call WinHttpOpen with proxy server:%s", keslUtf8FromWide(spec).c_str());
        const DWORD access = spec.empty() ? WINHTTP_ACCESS_TYPE_DEFAULT_PROXY : WINHTTP_ACCESS_TYPE_NAMED_PROXY;
        m_session.reset(WinHttpOpen(L"", access, spec.empty() ? WINHTTP_NO_PROXY_NAME : spec.c_str(),
                                    WINHTTP_NO_PROXY_BYPASS, WINHTTP_FLAG_ASYNC));
        if (!m_session.isGood()) {
            logWinHttpFailure("WinHttpOpen", GetLastError());
            return;
        }
        DWORD policy = kRedirectPolicyAlways;
        if (!WinHttpSetOption(m_session.get(), WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof policy))
            logWinHttpFailure("WinHttpSetOption", GetLastError());
        if (!spec.empty()) applyProxySpec(spec);
    }

    void applyProxySpec(const std::wstring& spec) {
        std::wstring writable = spec;
        WINHTTP_PROXY_INFO info{};
        info.dwAccessType = WINHTTP_ACCESS_TYPE_NAMED_PROXY;
        info.lpszProxy = &writable[0];
        if (WinHttpSetOption(m_session.get(), WINHTTP_OPTION_PROXY, &info, sizeof info)) {
            logInfo("Proxy spec:%s", keslUtf8FromWide(spec).c_str());
            return;
        }
        logWinHttpFailure("WinHttpSetOption", GetLastError());
        logError("With proxy spec:%s", keslUtf8FromWide(spec).c_str());
    }

    void openConnection() {
        if (!m_session.isGood()) return;
        if (m_url.host.empty()) {
            logError("cWinHttp_connection called with NULL aServerBareAddress");
            return;
        }
        m_connection.reset(WinHttpConnect(m_session.get(), keslWideFromUtf8(m_url.host).c_str(),
                                          static_cast<INTERNET_PORT>(m_url.port), 0));
        if (!m_connection.isGood()) logWinHttpFailure("WinHttpConnect", GetLastError());
    }

    std::string m_serverUrl;
    keslServerUrl m_url;
    keslProxy m_proxy;
    std::shared_ptr<keslRequestState> m_state;
    bool m_disabled = false;
    // The connection goes before the session it belongs to.
    cWinHttp_session m_session;
    cWinHttp_connection m_connection;
};

}  // namespace

std::unique_ptr<keslHttpRequestClient> makeHttpRequestClient(const std::string& serverUrl, const keslProxy& proxy,
                                                             std::shared_ptr<keslRequestState> state) {
    return std::make_unique<keslHttpRequestClientWin>(serverUrl, proxy, std::move(state));
}
