#include "world/world.h"

#include "astro/place_from_time_zone.h"
#include "platform/window.h"
#include "quotes/quote_choice.h"
#include "quotes/quotes.h"
#include "settings/app_settings.h"
#include "settings/localisation.h"
#include "settings/sky_page_logic.h"
#include "sprites/random.h"
#include "system/rect_ops.h"
#include "system/system_services.h"
#include "util/exception_guard.h"
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
    if (cSkySettings().realSky.get()) runGuarded(kRealSkyStepContext, [&] { initializeRealSky(); });
    if (!m_realSky) {
        runGuarded(kBackgroundStepContext, [&] { initializeBackground(backgroundFactory); });
        createStars(starCountFor(totalPixels));
    }
    createMessageStars();
    loadMessages();
    if (!preview) initializeClock();
    initializeMoon(preview);
    m_moonRefresh.start(keslSystemServices().currentTime(),
                        cMoonSprite::lightingPhase(m_moonInfo.m_results.moonPictureDegrees));
    runGuarded(kBottomLineStepContext, [&] { initializeBottomLine(); });
    runGuarded(kMoonInfoLabelStepContext, [&] { initializeMoonInfoLabel(preview); });
    if (m_realSky) turnMoonToRealSky();
    if (!preview) runGuarded(kQuotesLabelStepContext, [&] { initializeQuotesLabel(); });
    if (!preview) createSoundSettings();
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

// The catalogue's sky over the user's place takes the background's place and
// the normal stars'; the background setting still chooses its base.
void TorvanelWorld::initializeRealSky() {
    logFunctionLife life("initializeRealSky()");
    const cSkySettings sky;
    sRealSkyOptions options;
    options.background = cGeneralSettings().background.get();
    options.constellationLines = sky.showConstellationLines.get();
    options.names = sky.showNames.get();
    options.alwaysNight = sky.alwaysNight.get();
    if (storedSkyPlace(sky, options.place.latitudeDeg, options.place.longitudeDeg)) {
        logInfo("Sky place from the settings: %.2f, %.2f", options.place.latitudeDeg, options.place.longitudeDeg);
    } else {
        options.place = placeFromTimeZone(keslSystemServices(), keslSystemServices().currentTime()).place;
    }
    m_realSky = std::make_unique<cRealSkySprite>(m_window, options);
    spriteDirector.add(m_realSky.get());
}

// The moon leaves its drift and stands where the real one is, turned to the sun.
void TorvanelWorld::turnMoonToRealSky() {
    if (!m_moonSettings.showMoon.get() || !m_moon.isVisible()) return;
    m_moon.speedX = 0.0f;
    m_moon.restrictionsEnabled = false;
    const int phase = cMoonSprite::lightingPhase(m_moonInfo.m_results.moonPictureDegrees);
    m_moonTurner.keep(m_moon.ownedImage(), phase > 180);
    m_moonFollowsSky = true;
    m_realMoonShown = true;
    m_moonLabelFollows = m_moonInfoLabel.isVisible();
    followRealMoon();
    keepMoonInfoLabelUnderMoon();
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
    m_msgStarsFirstMember = spriteDirector.members().size();
    for (std::unique_ptr<cMsgStar>& star : m_particlePtrList) {
        star = std::make_unique<cMsgStar>();
        spriteDirector.add(star.get());
    }
}

void TorvanelWorld::loadMessages() { m_msgStarDirector.loadMessages(settingsGroups::defaultStore()); }

void TorvanelWorld::initializeClock() {
    m_clock.setRenderWindow(m_window);
    const keslRect<int>& main = m_mainMonitorRect;
    m_clock.setRandomPosition(static_cast<float>(main.left), static_cast<float>(main.top),
                              static_cast<float>(main.getRight()) - kClockRightMargin,
                              static_cast<float>(main.getBottom()) - kClockBottomMargin);
    m_clock.addRestriction(&m_mainMonitorBounce);
    spriteDirector.add(&m_clock);
}

void TorvanelWorld::initializeMoon(bool preview) {
    logTimeCountrer timing("initializeMoon()", "Entering", "Exiting");
    if (!m_moon.initializeMoon(preview, m_moonSettings, m_moonInfo.m_results.moonPictureDegrees, m_window,
                               m_mainMonitorRect)) {
        return;
    }
    m_moon.addRestriction(&m_mainMonitorBounce);
    spriteDirector.add(&m_moon);
}

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
    // Looked at afresh for every quote: the moon drifts, and its label with it.
    m_quotesLabel.setObstacles(&m_moon, &m_moonInfoLabel);
    m_quotesLabel.restrictionsEnabled = true;
    m_quotesLabel.addRestriction(&m_mainMonitorBounce);
}

sMoonTextOptions TorvanelWorld::moonTextOptions() const {
    sMoonTextOptions options;
    options.showMoonPhaseName = m_moonSettings.showPhaseName.get();
    options.showMoonPhasePercentAndDegrees = m_moonSettings.showPhasePercentAndDegrees.get();
    options.showNotableDates = m_moonSettings.showNotableDates.get();
    options.words = moonWordsIn([](const std::string& key, const std::string& english) {
        return std::string(keslLocalisation::get().translateOr(key.c_str(), english.c_str()));
    });
    return options;
}

void TorvanelWorld::initializeMoonInfoLabel(bool preview) {
    const sMoonTextOptions options = moonTextOptions();
    const bool anythingToSay =
        options.showMoonPhaseName || options.showMoonPhasePercentAndDegrees || options.showNotableDates;
    if (!m_moonSettings.showMoon.get() || !anythingToSay) {
        m_moonInfoLabel.disable();
        return;
    }
    m_moonInfoLabel.fillFrom(cMoonInfo(), options);
    spriteDirector.add(&m_moonInfoLabel);
    if (preview) *m_moonInfoLabel.textParams.fontSize /= cMoonInfoSprite::kPreviewFontDivisor;
}

void TorvanelWorld::createSoundSettings() { m_soundSettings = std::make_unique<cWorldSounds>(); }

// Airplanes wrap around the whole window, so they cross every monitor.
void TorvanelWorld::scheduleAirplanes() {
    for (cAirplane& airplane : m_airplanes) {
        spriteDirector.add(&airplane);
        airplane.restrictionsEnabled = true;
        airplane.addRestriction(&m_windowWrap);
    }
}

// The falling star finds its own way back to the top; it has no restriction.
void TorvanelWorld::scheduleFallingStar() { spriteDirector.add(&m_fallingStar); }

void TorvanelWorld::update(float seconds) {
    spriteDirector.update(seconds);
    followRealMoon();
    keepMoonInfoLabelUnderMoon();
    runMessageTiming(seconds);
    wakeMessageStarsForTransition();
    refreshStaleMoon();
    runSounds(seconds);
}

void TorvanelWorld::draw() {
    if (!m_window) return;
    collectChanges();
    m_window->setDamage(&m_dirty);
    if (m_dirty.isWhole()) {
        spriteDirector.draw();
    } else {
        drawChanges();
    }
    // A whole frame's outline would be the window's edge, and would keep every next frame whole.
    if (m_showDirty && !m_dirty.isWhole()) outlineChanges();
}

void TorvanelWorld::collectChanges() {
    m_dirty.reset(keslRect<int>(0, 0, m_window->getClientWidth(), m_window->getClientHeight()));
    // Every sprite awake reports, even in a whole frame, so the next frame knows where each one was.
    const std::vector<TzerinSprite*>& members = spriteDirector.members();
    m_reportedCoverages.resize(members.size());
    for (size_t i = 0; i < members.size(); ++i) {
        // A member the update passed by changed nothing; its last report stands.
        if (spriteDirector.passedBy(i)) continue;
        members[i]->reportChange(m_dirty);
        m_reportedCoverages[i] = members[i]->reportedCoverage();
    }
    restMessageStarsOutOfPlay();
    if (!m_outlined.isWhole()) {
        for (const keslRect<int>& rect : m_outlined) m_dirty.add(rect);
    }
    if (m_wholeFrameDue || m_drawWholeFrames || m_dirty.bounds() != m_outlined.bounds()) m_dirty.markWhole();
    m_wholeFrameDue = false;
    m_dirty.settle();
    m_outlined.reset(m_dirty.bounds());
}

// Each message uses the first stars of the crowd; once it is written, those
// past the last star in play are inactive and have reported that they draw
// nothing. Until the next transition they would only say so again, a
// thousand times a frame: they rest.
void TorvanelWorld::restMessageStarsOutOfPlay() {
    if (m_msgStarsOutOfPlayResting) return;
    const cStarTransitionEffectBase* writing = m_msgStarDirector.currentEffect();
    if (writing == nullptr || writing->running) return;
    if (m_msgStarsFirstMember + m_particlePtrList.size() > m_reportedCoverages.size()) return;
    size_t inPlay = m_particlePtrList.size();
    while (inPlay > 0) {
        const cMsgStar* star = m_particlePtrList[inPlay - 1].get();
        // A crowd left short by a failed construction has no member for a missing star to stand for.
        if (star == nullptr || star->active) break;
        if (!keslIsEmpty(m_reportedCoverages[m_msgStarsFirstMember + inPlay - 1])) break;
        --inPlay;
    }
    spriteDirector.rest(m_msgStarsFirstMember + inPlay, m_msgStarsFirstMember + m_particlePtrList.size());
    m_msgStarsOutOfPlayResting = true;
}

// A transition picks stars from the whole crowd and moves them.
void TorvanelWorld::wakeMessageStarsForTransition() {
    const cStarTransitionEffectBase* writing = m_msgStarDirector.currentEffect();
    if (writing == nullptr || !writing->running) return;
    spriteDirector.rest(0, 0);
    m_msgStarsOutOfPlayResting = false;
}

void TorvanelWorld::drawChanges() {
    if (m_dirty.empty()) return;
    m_window->setClipRegion(&m_dirty);
    const std::vector<TzerinSprite*>& members = spriteDirector.members();
    for (size_t i = 0; i < members.size(); ++i) {
        // A hidden sprite reported nothing, so it touches no change.
        if (!m_dirty.intersects(m_reportedCoverages[i])) continue;
        members[i]->draw();
    }
    m_window->setClipRegion(nullptr);
}

void TorvanelWorld::outlineChanges() {
    for (const keslRect<int>& r : m_dirty) {
        const int right = r.getRight() - 1;
        const int bottom = r.getBottom() - 1;
        m_window->drawLine(r.left, r.top, right, r.top, 1, kDirtyOutlineColor);
        m_window->drawLine(right, r.top, right, bottom, 1, kDirtyOutlineColor);
        m_window->drawLine(right, bottom, r.left, bottom, 1, kDirtyOutlineColor);
        m_window->drawLine(r.left, bottom, r.left, r.top, 1, kDirtyOutlineColor);
        m_outlined.add(r);
    }
}

// The label's line while the earth's shadow lies on the moon.
std::string TorvanelWorld::eclipseLine(eEclipseState state) {
    switch (state) {
        case eEclipseState::total: return localised("Total eclipse of the moon");
        case eEclipseState::partial: return localised("Partial eclipse of the moon");
        case eEclipseState::penumbral: return localised("Penumbral eclipse of the moon");
        case eEclipseState::none: break;
    }
    return {};
}

// Below the horizon the moon and its label hide; above it they stand where the moon is.
void TorvanelWorld::followRealMoon() {
    if (!m_moonFollowsSky) return;
    const sRealSkyMoon& moon = m_realSky->moon();
    if (moon.onView != m_realMoonShown) {
        m_realMoonShown = moon.onView;
        if (m_realMoonShown) {
            m_moon.enable();
            if (m_moonLabelFollows) m_moonInfoLabel.enable();
        } else {
            m_moon.disable();
            if (m_moonLabelFollows) m_moonInfoLabel.disable();
        }
    }
    if (!m_realMoonShown) return;
    m_moon.setSkyLit(m_realSky->light().phase != eSkyPhase::night);
    // Turned in place, the picture changes where the moon does not move; unturned, it stays.
    if (m_moonTurner.turn(m_moon.ownedImage(), moon.brightLimbDeg, moonShadowOf(moon))) m_moon.markChanged();
    if (m_moonLabelFollows && moon.eclipse.state != m_eclipseState) {
        m_eclipseState = moon.eclipse.state;
        m_moonInfoLabel.setEclipseLine(eclipseLine(m_eclipseState));
    }
    if (!m_moon.sizeValid) m_moon.calculateSize();
    m_moon.x = moon.x - m_moon.width * 0.5f;
    m_moon.y = moon.y - m_moon.height * 0.5f;
}

void TorvanelWorld::keepMoonInfoLabelUnderMoon() {
    if (m_moonInfoLabel.disabledCount > 0) return;
    if (!m_moon.sizeValid) m_moon.calculateSize();
    if (!m_moonInfoLabel.sizeValid) m_moonInfoLabel.calculateSize();
    // A centred text sprite draws its text ending at x, so x sits half the text's
    // width right of the moon's middle for the text to be centred under the moon.
    m_moonInfoLabel.x = m_moon.x + (m_moon.width + m_moonInfoLabel.width) * 0.5f;
    m_moonInfoLabel.y = m_moon.y + m_moon.height;
}

void TorvanelWorld::runMessageTiming(float seconds) {
    cMsgStarStage stage{m_mainMonitorRect, m_particlePtrList, m_targetPoints, m_textProjector, m_bottomLine};
    // A new message rewrites the crowd: each star first takes the time it slept through.
    if (m_msgStarDirector.messageDue(stage)) {
        spriteDirector.wake(m_msgStarsFirstMember, m_msgStarsFirstMember + m_particlePtrList.size());
    }
    m_msgStarDirector.runMessageTiming(seconds, stage);
}

// Lighting the picture anew takes a few milliseconds: never while message
// stars fly, the frames that must be smooth.
void TorvanelWorld::refreshStaleMoon() {
    if (!m_moon.isVisible()) return;
    const cStarTransitionEffectBase* writing = m_msgStarDirector.currentEffect();
    if (writing && writing->running) return;
    const std::time_t now = keslSystemServices().currentTime();
    if (!m_moonRefresh.checkDue(now)) return;
    // The picture's phase needs no tables, only a few sines.
    const int phase = moonPictureDegreesAt(now);
    if (!m_moonRefresh.phaseMoved(now, phase)) return;
    logInfo("The moon moved to %i degrees: lit and labelled anew", phase);
    // The label tells tonight's events and the next dates: they need the whole calculation.
    m_moonInfo.calcPhaseForTime(now);
    m_moon.relight(phase);
    // Lit anew in place: the picture changed where the moon did not move.
    m_moon.markChanged();
    // The real sky's moon turns the new picture as it turned the old one.
    if (m_moonFollowsSky) {
        m_moonTurner.keep(m_moon.ownedImage(), phase > 180);
        followRealMoon();
    }
    if (m_moonInfoLabel.disabledCount <= 0) m_moonInfoLabel.fillFrom(m_moonInfo, moonTextOptions());
}

void TorvanelWorld::deleteStars() {
    m_stars.clear();
    logInfo("Deleted stars[]");
}

void TorvanelWorld::deleteMessageStars() {
    for (std::unique_ptr<cMsgStar>& star : m_particlePtrList) star.reset();
    logInfo("Deleted msgStars[]");
}

void TorvanelWorld::runSounds(float seconds) {
    if (m_soundSettings) m_soundSettings->update(seconds);
}

void TorvanelWorld::releaseSounds() { m_soundSettings.reset(); }

void TorvanelWorld::deleteBackground() {
    m_backgroundPtr.reset();
    logInfo("Deleted m_backgroundPtr[]");
}
