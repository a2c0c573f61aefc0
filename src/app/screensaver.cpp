#include "app/screensaver.h"

#include "app/draw_regions.h"
#include "settings/localisation.h"
#include "util/log.h"

orvanelScreensaver::orvanelScreensaver() {
    logInfo("Does not have retina display");
}

orvanelScreensaver::~orvanelScreensaver() = default;

void orvanelScreensaver::initWithWindowHandle(keslWindowHandle window, int aMonitorId) {
    logFunctionLife life("orvanelScreensaver.initWithWindowHandle()");
    monitorId = aMonitorId;
    keslScreenSaverAbstract::initWithWindowHandle(window, aMonitorId);

    if (ovWorldPtr) {
        logError("orvanelScreensaver.initWithWindowHandle(): ovWorldPtr is not NULL");
    }
    logInfo("Creating TorvanelWorld with monitorId =%i", monitorId);
    m_mainMonitorRect = drawRegions.empty() ? keslRect<int>() : drawRegions.front();
    m_totalPixels = totalPixelsOf(drawRegions);
    logInfo("Total pixels of all monitors:%li", m_totalPixels);
    ovWorldPtr = std::make_unique<TorvanelWorld>(m_window.get(), isPreview(), m_mainMonitorRect, m_totalPixels,
                                                 m_containerFolder);
}

int orvanelScreensaver::showConfigureSheet(keslWindowHandle) {
    logInfo("orvanelScreensaver::showConfigureSheet()");
    return 0;
}

void orvanelScreensaver::setContainerFolder(const char* folder) {
    keslScreenSaverAbstract::setContainerFolder(folder);
    keslLocalisation::get().setLanguageAndFilespec(m_settings.interfaceLang.get().c_str(), m_containerFolder.c_str());
}

void orvanelScreensaver::tick(float seconds) {
    if (!ovWorldPtr) return;
    ovWorldPtr->update(seconds);
    countDownToRunEvent(seconds);
}

void orvanelScreensaver::countDownToRunEvent(float seconds) {
    if (runEventCountdown <= 0.0f || monitorId != 0) return;
    runEventCountdown -= seconds;
}

void orvanelScreensaver::drawFrame() {
    if (ovWorldPtr) ovWorldPtr->spriteDirector.draw();
}

void orvanelScreensaver::shutDown() {
    logFunctionLife life("orvanelScreensaver.shutDown()");
    if (!ovWorldPtr) return;
    ovWorldPtr.reset();
    logInfo("Deleted ovWorldPtr");
}
