#include "world/world.h"

#include "util/exception_guard.h"
#include "platform/window.h"
#include "settings/app_settings.h"
#include "sprites/random.h"
#include "util/log_guards.h"
#include "world/msg_bottom_line.h"

#include <algorithm>
#include <cstdlib>

TorvanelWorld::TorvanelWorld(keslWindow* window, bool preview, const keslRect<int>& mainMonitorRect,
                             long totalPixels, const std::string& containerFolder,
                             const cSkyBackgroundFactory& backgroundFactory)
    : m_window(window), m_containerFolder(containerFolder) {
    if (!m_window) {
        logError("TorvanelWorld construction with NULL aWindowPtr");
        return;
    }
    setSkyColor();
    setRectangles(mainMonitorRect);
    runGuarded(kBackgroundStepContext, [&] { initializeBackground(backgroundFactory); });
    createStars(starCountFor(totalPixels));
    createMessageStars();
    loadMessages();
    if (!preview) initializeClock();
    initializeMoon(preview);
    runGuarded(kBottomLineStepContext, [&] { initializeBottomLine(); });
    runGuarded(kMoonInfoLabelStepContext, [&] { initializeMoonInfoLabel(preview); });
    if (!preview) {
        runGuarded(kQuotesLabelStepContext, [&] { initializeQuotesLabel(); });
        createSoundSettings();
    }
    scheduleAirplanes();
    scheduleFallingStar();
    // Every scheduled sprite gets the window and measures itself anew.
    spriteDirector.setRenderWindow(m_window);
}

TorvanelWorld::~TorvanelWorld() {
    logFunctionLife life("TorvanelWorld.destructor()");
    deleteStars();
    deleteMessageStars();
    releaseSounds();
    deleteBackground();
}

long TorvanelWorld::starCountFor(long totalPixels) { return std::max(kMinimumStars, totalPixels / kPixelsPerStar); }

void TorvanelWorld::setSkyColor() {
    dimSkyColor = scaleColor(skyBaseColor, kDimSkyShare);
    m_window->pushBackgroundColor(dimSkyColor);
}

void TorvanelWorld::setRectangles(const keslRect<int>& mainMonitorRect) {
    const keslRect<int> windowRect(0, 0, m_window->getClientWidth(), m_window->getClientHeight());
    logInfo("TorvanelWorld.m_windowRect %s", windowRect.toString().c_str());
    m_mainMonitorRect = mainMonitorRect;
    logInfo("TorvanelWorld.m_mainMonitorRect %s", m_mainMonitorRect.toString().c_str());
    windowBounce.bounds = windowRect;
    windowWrap.bounds = windowRect;
    mainMonitorBounce.bounds = m_mainMonitorRect;
}

void TorvanelWorld::initializeBackground(const cSkyBackgroundFactory& backgroundFactory) {
    m_backgroundPtr = backgroundFactory.create();
    if (m_backgroundPtr) spriteDirector.add(m_backgroundPtr.get());
}

void TorvanelWorld::createStars(long count) {
    logInfo("createStars(%li)", count);
    stars.reserve(stars.size() + static_cast<size_t>(std::max(0L, count)));
    const size_t firstNew = stars.size();
    for (long i = 0; i < count; ++i) {
        stars.push_back(std::make_unique<cStarSpriteWithPixels>(
            "normal star", keslRandomFloat(kStarBrightnessLow, kStarBrightnessHigh), kStarTwinkleAmplitude,
            kStarTwinkleSeconds, kStarPauseSeconds));
    }
    keslSeedRandomOnce();
    const int windowWidth = m_window ? m_window->getClientWidth() : 0;
    const int windowHeight = m_window ? m_window->getClientHeight() : 0;
    for (size_t i = firstNew; i < stars.size(); ++i) {
        cStarSpriteWithPixels& star = *stars[i];
        // An empty window (a minimised preview) has no place but its corner.
        star.x = windowWidth > 0 ? static_cast<float>(std::rand() % windowWidth) : 0.0f;
        star.y = windowHeight > 0 ? static_cast<float>(std::rand() % windowHeight) : 0.0f;
        star.speedX = keslRandomFloat(-kStarDriftSpeed, kStarDriftSpeed);
        star.speedY = keslRandomFloat(-kStarDriftSpeed, kStarDriftSpeed);
        star.restrictionsEnabled = true;
        star.addRestriction(&windowWrap);
        spriteDirector.add(&star);
    }
}

void TorvanelWorld::createMessageStars() {
    logTimeCountrer timing("creating thousands of message stars", "Entering", "Exiting");
    targetPoints.clear();
    for (std::unique_ptr<cMsgStar>& star : m_particlePtrList) {
        star = std::make_unique<cMsgStar>();
        spriteDirector.add(star.get());
    }
}

void TorvanelWorld::loadMessages() { msgStarDirector.loadMessages(settingsGroups::defaultStore()); }

// The clock is placed inside the main monitor and scheduled here (not in preview).
void TorvanelWorld::initializeClock() {}

// The moon is scheduled here when it is shown.
void TorvanelWorld::initializeMoon(bool) {}

void TorvanelWorld::initializeBottomLine() {
    logFunctionLife life("initializeBottomLine()");
    configureBottomLine(bottomLine, m_mainMonitorRect);
    spriteDirector.add(&bottomLine);
}

// The moon-info label is filled and scheduled here when the moon shows any text.
void TorvanelWorld::initializeMoonInfoLabel(bool) {}

// The quotes label is scheduled here when quotes can be shown (not in preview).
void TorvanelWorld::initializeQuotesLabel() {}

// The sound settings are created here (not in preview).
void TorvanelWorld::createSoundSettings() {}

// The three airplanes are scheduled here, wrapping around the window.
void TorvanelWorld::scheduleAirplanes() {}

// The falling star is scheduled here, last and so on top of everything.
void TorvanelWorld::scheduleFallingStar() {}

void TorvanelWorld::update(float seconds) {
    spriteDirector.update(seconds);
    keepMoonInfoLabelUnderMoon();
    runMessageTiming(seconds);
    runSounds(seconds);
}

// The moon-info label follows the moon here, centred under it.
void TorvanelWorld::keepMoonInfoLabelUnderMoon() {}

void TorvanelWorld::runMessageTiming(float seconds) {
    cMsgStarStage stage{m_mainMonitorRect, m_particlePtrList, targetPoints, textProjector, bottomLine};
    msgStarDirector.runMessageTiming(seconds, stage);
}

// The hourly chime and the start-up sound run here (not in preview).
void TorvanelWorld::runSounds(float) {}

void TorvanelWorld::deleteStars() {
    stars.clear();
    logInfo("Deleted stars[]");
}

void TorvanelWorld::deleteMessageStars() {
    for (std::unique_ptr<cMsgStar>& star : m_particlePtrList) star.reset();
    logInfo("Deleted msgStars[]");
}

// The sound settings are released and any sound stopped here.
void TorvanelWorld::releaseSounds() {}

void TorvanelWorld::deleteBackground() {
    m_backgroundPtr.reset();
    logInfo("Deleted m_backgroundPtr[]");
}
