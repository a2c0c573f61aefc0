#include "app/linux/linux_run.h"

#include "util/exception_guard.h"
#include "settings/settings.h"
#include "util/file_system.h"
#include "util/log.h"

int monitorIdForWindowSize(int width, int height) {
    return (width < kPreviewMaxWidth || height < kPreviewMaxHeight) ? -1 : 0;
}

namespace {

// Where the settings come from is the first question about any odd-looking sky.
void logSettingsFile() {
    const std::string& path = applicationSettings().getFilePath();
    if (keslFileSystemMini::fileExists(path)) {
        logInfo("Settings file:%s", path.c_str());
    } else {
        logInfo("Settings file:%s (not there yet: defaults in force)", path.c_str());
    }
}

}  // namespace

orvanelLinuxRun::orvanelLinuxRun(std::unique_ptr<keslWindow> window)
    : m_app(std::make_unique<orvanelScreensaver>()), m_window(window.get()) {
    logSettingsFile();
    const int monitorId = monitorIdForWindowSize(window->getClientWidth(), window->getClientHeight());
    m_app->adoptWindow(std::move(window));
    runGuarded("exception caught: screensaverPtr->initWithWindowHandle()",
               [&] { m_app->initWithWindowHandle(nullptr, monitorId); });
}

void orvanelLinuxRun::changeScreens(std::unique_ptr<keslWindow> window) {
    m_window = window.get();
    runGuarded("exception caught: screensaverPtr->changeScreens()", [&] { m_app->changeScreens(std::move(window)); });
}

orvanelLinuxRun::~orvanelLinuxRun() {
    m_frameTimes.logSummary();
    m_app->shutDown();
}

void orvanelLinuxRun::runFrame() {
    m_frameTimes.workStarted();
    m_app->tick(frameStep);
    m_app->drawFrame();
    m_app->flushFrame();
    m_frameTimes.workEnded();
    m_frameTimes.frameShown();
    ++m_framesRun;
}

void orvanelLinuxRun::showDirty(bool show) {
    if (TorvanelWorld* world = m_app->getWorld()) world->setShowDirty(show);
}

void orvanelLinuxRun::advanceOnly() { m_app->tick(frameStep); }

bool orvanelLinuxRun::closeRequested() const { return m_window->closeRequested(); }

const keslPixelSurface& orvanelLinuxRun::shownFrame() const { return m_window->shownSurface(); }
