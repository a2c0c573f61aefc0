// For window procedures: BeginPaint on creation, EndPaint on destruction, so
// every WM_PAINT path validates the window even when drawing throws.
#pragma once

#include <windows.h>

class keslWinPaintstructAuto {
public:
    explicit keslWinPaintstructAuto(HWND window) : m_window(window) { m_dc = BeginPaint(m_window, &m_paint); }
    ~keslWinPaintstructAuto() { EndPaint(m_window, &m_paint); }
    keslWinPaintstructAuto(const keslWinPaintstructAuto&) = delete;
    keslWinPaintstructAuto& operator=(const keslWinPaintstructAuto&) = delete;

    HDC dc() const { return m_dc; }
    const PAINTSTRUCT& paint() const { return m_paint; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc = nullptr;
};
