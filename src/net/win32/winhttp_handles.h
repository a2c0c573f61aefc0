// Owners of WinHTTP handles: each closes its handle when it goes, so an
// early return cannot leak a session, a connection or a request.
#pragma once

#include <windows.h>
#include <winhttp.h>

class cWinHttp_handle {
public:
    explicit cWinHttp_handle(HINTERNET handle = nullptr) : m_handle(handle) {}
    ~cWinHttp_handle() { close(); }
    cWinHttp_handle(const cWinHttp_handle&) = delete;
    cWinHttp_handle& operator=(const cWinHttp_handle&) = delete;

    bool isGood() const { return m_handle != nullptr; }
    HINTERNET get() const { return m_handle; }
    void close() {
        if (m_handle) WinHttpCloseHandle(m_handle);
        m_handle = nullptr;
    }

protected:
    void reset(HINTERNET handle) {
        close();
        m_handle = handle;
    }

private:
    HINTERNET m_handle;
};

class cWinHttp_session : public cWinHttp_handle {
public:
    using cWinHttp_handle::cWinHttp_handle;
    using cWinHttp_handle::reset;
};

class cWinHttp_connection : public cWinHttp_handle {
public:
    using cWinHttp_handle::cWinHttp_handle;
    using cWinHttp_handle::reset;
};

class cWinHttp_request : public cWinHttp_handle {
public:
    using cWinHttp_handle::cWinHttp_handle;
    using cWinHttp_handle::reset;
};
