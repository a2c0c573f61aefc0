// The part of a screensaver every sky shares: it owns the window wrapper with
// its back buffer, knows one drawing region per monitor (the first is the
// main monitor), and copies each finished frame to the screen.
#pragma once

#include "app/screensaver_interface.h"
#include "system/rect.h"
#include "platform/window.h"
#include "util/log_guards.h"

#include <memory>
#include <string>
#include <vector>

class keslScreenSaverAbstract : public keslScreenSaverInterface {
public:
    keslScreenSaverAbstract();
    ~keslScreenSaverAbstract() override;

    void initWithWindowHandle(keslWindowHandle window, int monitorId) override;
    void setContainerFolder(const char* folder) override;
    void flushFrame() override;
    void shutDown() override {}

    // Hosts that make their own window (the raster hosts) hand it over
    // before initWithWindowHandle, which then keeps it.
    void adoptWindow(std::unique_ptr<keslWindow> window);

    keslWindow* getWindow() const { return m_window.get(); }
    const std::vector<keslRect<int>>& getDrawRegions() const { return drawRegions; }
    const std::string& getContainerFolder() const { return m_containerFolder; }

protected:
    void computeDrawRegions(int monitorId);

    logObjectLife m_life{"keslScreenSaverAbstract"};
    std::string m_containerFolder;
    std::unique_ptr<keslWindow> m_window;
    std::vector<keslRect<int>> drawRegions;
};
