#include "app/screensaver.h"

#include "app/app_info.h"
#include "app/draw_regions.h"
#include "app/hot_corners.h"
#include "settings/config_sheet.h"
#include "settings/localisation.h"
#include "system/system_services.h"
#include "util/file_system.h"
#include "util/log.h"
#include "world/window_transition_effect_old_tv.h"

namespace {

// The sky's words (the moon's label, the default messages, the names of the
// stars) are in the interface's language; returns its code.
std::string setUpInterfaceLanguage(const keslStringSetting& chosen) {
    const std::string folder = translationFolderNear(keslFileSystemMini::getModuleFolder());
    const std::string language = chooseInterfaceLanguage(chosen, keslSystemServices().userLanguage(), folder);
    keslLocalisation::get().setLanguageAndFilespec(language.c_str(), folder.c_str());
    return language;
}

}  // namespace

orvanelScreensaver::orvanelScreensaver() {
    const std::string language = setUpInterfaceLanguage(m_settings.interfaceLang);
    m_telemetry.start(m_settings.telemetryConsent.get(), appInfo().productName, appInfo().appVersion,
                      keslFileSystemMini::getModuleFolder(), language);
    logInfo("Does not have retina display");
}

orvanelScreensaver::~orvanelScreensaver() {
    startupEffectPtr.reset();
    logInfo("Deleted startupEffectPtr. point 1");
}

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
    startStartupEffect();
    buildWorld();
}

void orvanelScreensaver::buildWorld() {
    logInfo("Creating TorvanelWorld with monitorId =%i", monitorId);
    m_mainMonitorRect = drawRegions.empty() ? keslRect<int>() : drawRegions.front();
    m_totalPixels = totalPixelsOf(drawRegions);
    logInfo("Total pixels of all monitors:%li", m_totalPixels);
    ovWorldPtr = std::make_unique<TorvanelWorld>(m_window.get(), isPreview(), m_mainMonitorRect, m_totalPixels,
                                                 m_containerFolder);
    // The preview is small, and the dialog that hosts it repaints it as it likes.
    if (isPreview()) ovWorldPtr->setDrawWholeFrames(true);
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

void orvanelScreensaver::startStartupEffect() {
    if (!startupEffectPtr && m_settings.startupEffect.get() == kStartupEffectOldTV) {
        startupEffectPtr = std::make_unique<cWindowTransitionEffect_OldTV>();
    }
    if (startupEffectPtr && !drawRegions.empty()) {
        startupEffectPtr->initWithWindow(m_window.get(), drawRegions.front(), monitorId);
    }
}

bool orvanelScreensaver::startupEffectPlays() const { return startupEffectPtr && !startupEffectPtr->isFinished(); }

int orvanelScreensaver::showConfigureSheet(keslWindowHandle parent) {
    logInfo("orvanelScreensaver::showConfigureSheet()");
    const keslAppInfo& info = appInfo();
    const keslSheetIdentity identity{info.productName,       info.appVersion, info.buildTimestamp,
                                     "https://" + info.webSiteHost + "/", info.webSiteHost,  info.salesEmail};
    cSheetTelemetryServices services(m_telemetry);
    return showConfigurationSheet(parent, identity, services);
}

void orvanelScreensaver::tick(float seconds) {
    // While the effect plays nothing else advances, not even the countdowns.
    if (startupEffectPlays()) return;
    if (!ovWorldPtr) return;
    ovWorldPtr->update(seconds);
    m_keepAwake.checkOnTick();
    countDownToRunEvent(seconds);
}

void orvanelScreensaver::countDownToRunEvent(float seconds) {
    if (runEventCountdown <= 0.0f || monitorId != 0) return;
    runEventCountdown -= seconds;
    if (runEventCountdown <= 0.0f) m_telemetry.trackRun();
}

void orvanelScreensaver::drawFrame() {
    if (startupEffectPlays()) {
        startupEffectPtr->stepEffect();
        return;
    }
    if (startupEffectPtr) {
        startupEffectPtr.reset();
        logInfo("Deleted startupEffectPtr. point 1");
    }
    if (ovWorldPtr) ovWorldPtr->draw();
}

void orvanelScreensaver::requestWholeFrame() {
    if (ovWorldPtr) ovWorldPtr->requestWholeFrame();
}

void orvanelScreensaver::changeScreens(std::unique_ptr<keslWindow> window) {
    logFunctionLife life("orvanelScreensaver.changeScreens()");
    // A run whose start was refused stays without a sky.
    const bool started = ovWorldPtr != nullptr;
    // The sky and the effect borrow the old window, so they go before it does;
    // an effect cut short by the change is not played again.
    ovWorldPtr.reset();
    if (startupEffectPtr) {
        startupEffectPtr.reset();
        logInfo("Deleted startupEffectPtr. point 3");
    }
    adoptWindow(std::move(window));
    computeDrawRegions(monitorId);
    if (started) buildWorld();
}

void orvanelScreensaver::shutDown() {
    logFunctionLife life("orvanelScreensaver.shutDown()");
    if (startupEffectPtr) {
        startupEffectPtr.reset();
        logInfo("Deleted startupEffectPtr. point 2");
    }
    if (!ovWorldPtr) return;
    ovWorldPtr.reset();
    logInfo("Deleted ovWorldPtr");
}
