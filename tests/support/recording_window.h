// A window that draws nothing and writes down every drawing call instead, one
// line per call ("fillRect 0 0 1920 54 050510FF"), so a test can read exactly
// which shapes a sprite or an effect asked for. It reports the client size it
// is given; under the hood it is a backend window of no use for pixels.
#pragma once

#include "platform/window.h"

#include <cstdio>
#include <string>
#include <vector>

class RecordingWindow : public keslWindow {
public:
    RecordingWindow(int width, int height)
#if defined(_WIN32)
        : keslWindow(static_cast<keslWindowHandle>(nullptr)),
#else
        : keslWindow(1, 1),
#endif
          m_width(width), m_height(height) {
    }

    int getClientWidth() override { return m_width; }
    int getClientHeight() override { return m_height; }
    keslSize getClientSize() override { return {m_width, m_height}; }

    void clearWithColor(keslColor color) override { record("clearWithColor %08X", color); }
    void fillRect(const keslRect<int>& rect, keslColor color) override {
        record("fillRect %d %d %d %d %08X", rect.top, rect.left, rect.width, rect.height, color);
    }
    void fillCircle(int x, int y, int radius, keslColor color) override {
        record("fillCircle %d %d %d %08X", x, y, radius, color);
    }
    void drawLine(int x1, int y1, int x2, int y2, int width, keslColor color) override {
        record("drawLine %d %d %d %d %d %08X", x1, y1, x2, y2, width, color);
    }
    void setPixel(int x, int y, keslColor color) override { record("setPixel %d %d %08X", x, y, color); }
    void setDoubleBuffered(bool on) override {
        keslWindow::setDoubleBuffered(on);
        record("setDoubleBuffered %s", on ? "on" : "off");
    }

    // Every call since the last take, in order; the journal starts empty again.
    std::vector<std::string> takeCalls() {
        std::vector<std::string> calls;
        calls.swap(m_calls);
        return calls;
    }

private:
    template <typename... Args>
    void record(const char* format, Args... args) {
        char line[128];
        std::snprintf(line, sizeof line, format, args...);
        m_calls.emplace_back(line);
    }

    int m_width;
    int m_height;
    std::vector<std::string> m_calls;
};
