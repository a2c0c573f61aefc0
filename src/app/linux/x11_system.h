// What only the X server can answer, added for the length of an X11 run to
// the platform's own system services: where the cursor is, the monitors, and
// keeping the screen awake. Keeping awake holds off the X server's own
// screensaver and display power saving, and only in a window of the
// program's own: under XScreenSaver (its window, or the root) blanking is
// XScreenSaver's business. Monitors matter only on the root window, which
// spans them all; any other window is one region.
#pragma once

#include "system/system_services.h"

#include <X11/Xlib.h>

class keslX11SystemServices final : public keslSystem {
public:
    // Installs itself until destroyed; display is borrowed.
    keslX11SystemServices(Display* display, bool mayKeepAwake, bool reportsMonitors);
    ~keslX11SystemServices() override;
    keslX11SystemServices(const keslX11SystemServices&) = delete;
    keslX11SystemServices& operator=(const keslX11SystemServices&) = delete;

    std::time_t currentTime() const override { return m_platform.currentTime(); }
    bool localTime(std::time_t t, std::tm& out) const override { return m_platform.localTime(t, out); }
    double monotonicSeconds() const override { return m_platform.monotonicSeconds(); }
    std::string tempFolder() const override { return m_platform.tempFolder(); }
    std::string appDataFolder() const override { return m_platform.appDataFolder(); }
    std::string desktopFolder() const override { return m_platform.desktopFolder(); }
    std::string modulePath() const override { return m_platform.modulePath(); }
    void debugOutput(const std::string& text) const override { m_platform.debugOutput(text); }
    // From RandR, else Xinerama; the primary monitor first.
    std::vector<keslRect<int>> monitorRects() const override;

    bool cursorPosition(keslPoint<long>& out) const override;
    bool keepAwake(bool on) override;

private:
    keslSystem& m_platform;
    keslSystem* m_replaced;
    Display* m_display;
    bool m_mayKeepAwake;
    bool m_reportsMonitors;
    bool m_suspended = false;
};
