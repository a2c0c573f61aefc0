#include "world/world.h"

#include "util/exception_guard.h"
#include "platform/window.h"
#include "quotes/quote_choice.h"
#include "quotes/quotes.h"
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
    runGuarded(kBottomLineStepContext, [&] { initializeBottomLine(); });
    if (!preview) runGuarded(kQuotesLabelStepContext, [&] { initializeQuotesLabel(); });
    // Every scheduled sprite gets the window and measures itself anew.
    spriteDirector.setRenderWindow(m_window);
}

TorvanelWorld::~TorvanelWorld() {
    logFunctionLife life("TorvanelWorld.destructor()");
    deleteStars();
    deleteMessageStars();
    deleteBackground();
}

long TorvanelWorld::starCountFor(long totalPixels) { return std::max(kMinimumStars, totalPixels / kPixelsPerStar); }

void TorvanelWorld::setSkyColor() {
    m_dimSkyColor = scaleColor(skyBaseColor, kDimSkyShare);
    m_window->pushBackgroundColor(m_dimSkyColor);
}

void TorvanelWorld::setRectangles(const keslRect<int>& mainMonitorRect) {
    const keslRect<int> windowRect(0, 0, m_window->getClientWidth(), m_window->getClientHeight());
    logInfo("TorvanelWorld.m_windowRect %s", windowRect.toString().c_str());
    m_mainMonitorRect = mainMonitorRect;
    logInfo("TorvanelWorld.m_mainMonitorRect %s", m_mainMonitorRect.toString().c_str());
    m_windowBounce.bounds = windowRect;
    m_windowWrap.bounds = windowRect;
    m_mainMonitorBounce.bounds = m_mainMonitorRect;
}

void TorvanelWorld::initializeBackground(const cSkyBackgroundFactory& backgroundFactory) {
    m_backgroundPtr = backgroundFactory.create();
    if (m_backgroundPtr) spriteDirector.add(m_backgroundPtr.get());
}

void TorvanelWorld::createStars(long count) {
    logInfo("createStars(%li)", count);
    m_stars.reserve(m_stars.size() + static_cast<size_t>(std::max(0L, count)));
    const size_t firstNew = m_stars.size();
    for (long i = 0; i < count; ++i) {
        m_stars.push_back(std::make_unique<cStarSpriteWithPixels>(
            "normal star", keslRandomFloat(kStarBrightnessLow, kStarBrightnessHigh), kStarTwinkleAmplitude,
            kStarTwinkleSeconds, kStarPauseSeconds));
    }
    keslSeedRandomOnce();
    const int windowWidth = m_window ? m_window->getClientWidth() : 0;
    const int windowHeight = m_window ? m_window->getClientHeight() : 0;
    for (size_t i = firstNew; i < m_stars.size(); ++i) {
        cStarSpriteWithPixels& star = *m_stars[i];
        // An empty window (a minimised preview) has no place but its corner.
        star.x = windowWidth > 0 ? static_cast<float>(std::rand() % windowWidth) : 0.0f;
        star.y = windowHeight > 0 ? static_cast<float>(std::rand() % windowHeight) : 0.0f;
        star.speedX = keslRandomFloat(-kStarDriftSpeed, kStarDriftSpeed);
        star.speedY = keslRandomFloat(-kStarDriftSpeed, kStarDriftSpeed);
        star.restrictionsEnabled = true;
        star.addRestriction(&m_windowWrap);
        spriteDirector.add(&star);
    }
}

void TorvanelWorld::createMessageStars() {
    logTimeCountrer timing("creating thousands of message stars", "Entering", "Exiting");
    m_targetPoints.clear();
    for (std::unique_ptr<cMsgStar>& star : m_particlePtrList) {
        star = std::make_unique<cMsgStar>();
        spriteDirector.add(star.get());
    }
}

void TorvanelWorld::loadMessages() { m_msgStarDirector.loadMessages(settingsGroups::defaultStore()); }

void TorvanelWorld::initializeBottomLine() {
    logFunctionLife life("initializeBottomLine()");
    configureBottomLine(m_bottomLine, m_mainMonitorRect);
    spriteDirector.add(&m_bottomLine);
}

void TorvanelWorld::initializeQuotesLabel() {
    logObjectLife life("initializeQuotesLabel()");
    const cQuoteSettings settings;
    if (!quotesEnabled(settings, []() -> const cQuotes& { return cQuotes::get(); })) {
        m_quotesLabel.disable();
        return;
    }
    m_quotesLabel.allowedCategories = allowedQuoteCategories(settings);
    m_quotesLabel.setRenderWindow(m_window);
    spriteDirector.add(&m_quotesLabel);
    m_quotesLabel.setQuoteArea(m_mainMonitorRect);
    // The moon and its label join here when the sky has them.
    m_quotesLabel.setObstacles(nullptr, nullptr);
    m_quotesLabel.restrictionsEnabled = true;
    m_quotesLabel.addRestriction(&m_mainMonitorBounce);
}

void TorvanelWorld::update(float seconds) {
    spriteDirector.update(seconds);
    runMessageTiming(seconds);
}

void TorvanelWorld::runMessageTiming(float seconds) {
    cMsgStarStage stage{m_mainMonitorRect, m_particlePtrList, m_targetPoints, m_textProjector, m_bottomLine};
    m_msgStarDirector.runMessageTiming(seconds, stage);
}

void TorvanelWorld::deleteStars() {
    m_stars.clear();
    logInfo("Deleted stars[]");
}

void TorvanelWorld::deleteMessageStars() {
    for (std::unique_ptr<cMsgStar>& star : m_particlePtrList) star.reset();
    logInfo("Deleted msgStars[]");
}

void TorvanelWorld::deleteBackground() {
    m_backgroundPtr.reset();
    logInfo("Deleted m_backgroundPtr[]");
}
