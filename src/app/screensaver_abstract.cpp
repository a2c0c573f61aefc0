#include "app/screensaver_abstract.h"

#include "app/draw_regions.h"
#include "system/system_services.h"
#include "util/log.h"

#include <cstdint>

keslScreenSaverAbstract::keslScreenSaverAbstract() = default;

keslScreenSaverAbstract::~keslScreenSaverAbstract() = default;

void keslScreenSaverAbstract::adoptWindow(std::unique_ptr<keslWindow> window) { m_window = std::move(window); }

void keslScreenSaverAbstract::initWithWindowHandle(keslWindowHandle window, int monitorId) {
    logInfo("keslScreenSaverAbstract.initWithWindowHandle(%X)",
            static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window)));
    if (!m_window) m_window = keslCreateWindowForHandle(window);
    logInfo("Screensaver container folder:%s", m_containerFolder.c_str());
    computeDrawRegions(monitorId);
}

void keslScreenSaverAbstract::computeDrawRegions(int monitorId) {
    const keslRect<int> windowRect = m_window ? m_window->getWindowRect() : keslRect<int>();
    const bool preview = monitorId == -1;
    drawRegions = ::computeDrawRegions(preview, windowRect,
                                       preview ? std::vector<keslRect<int>>() : keslSystemServices().monitorRects());
}

void keslScreenSaverAbstract::setContainerFolder(const char* folder) {
    if (!folder) {
        m_containerFolder.clear();
        logError("screensaver's container folder:NULL");
        return;
    }
    m_containerFolder = folder;
    logInfo("screensaver's container folder:%s", folder);
}

void keslScreenSaverAbstract::flushFrame() {
    if (m_window) m_window->flush();
}
