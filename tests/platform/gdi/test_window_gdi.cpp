#include "platform/test_window.h"

#include <windows.h>

namespace {

constexpr const char* kClassName = "OrvanelContractTestWindow";

void registerClassOnce() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
}

// A borderless window without a background brush, shown without activation:
// the system never paints over what a test draws, and its pixels read back.
class GdiTestWindow : public TestWindow {
public:
    GdiTestWindow(int width, int height) {
        registerClassOnce();
        m_hwnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, "", WS_POPUP, 0, 0, width, height,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
        m_window = std::make_unique<keslWindow>(static_cast<keslWindowHandle>(m_hwnd));
    }
    ~GdiTestWindow() override {
        m_window.reset();
        DestroyWindow(m_hwnd);
    }
    keslWindow& window() override { return *m_window; }

private:
    HWND m_hwnd = nullptr;
    std::unique_ptr<keslWindow> m_window;
};

}  // namespace

std::unique_ptr<TestWindow> makeTestWindow(int width, int height) {
    return std::make_unique<GdiTestWindow>(width, height);
}
