#include "app/screensaver.h"

#include "app/draw_regions.h"
#include "app/hot_corners.h"
#include "settings/localisation.h"
#include "system/system_services.h"
#include "util/log.h"

orvanelScreensaver::orvanelScreensaver() {
    logInfo("Does not have retina display");
}

orvanelScreensaver::~orvanelScreensaver() = default;

void orvanelScreensaver::initWithWindowHandle(keslWindowHandle window, int aMonitorId) {
    logFunctionLife life("orvanelScreensaver.initWithWindowHandle()");
    monitorId = aMonitorId;
    keslScreenSaverAbstract::initWithWindowHandle(window, aMonitorId);
    if (cursorInHotCorner()) {
        if (m_window) m_window->requestClose();
        logInfo("Screensaver start was prevented because of hotcorners");
        return;
    }

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

// Regions are relative to the desktop's top-left corner and the cursor is in
// screen pixels: the regions go back to the screen's frame for the test, so a
// monitor left of or above the main one keeps its corners where they are.
bool orvanelScreensaver::cursorInHotCorner() const {
    const keslPoint<int> origin =
        isPreview() ? keslPoint<int>{} : virtualScreenOrigin(keslSystemServices().monitorRects());
    for (keslRect<int> region : drawRegions) {
        region.left += origin.x;
        region.top += origin.y;
        if (isCursorInHotCorner(region)) return true;
    }
    return false;
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
    m_keepAwake.checkOnTick();
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
