// The scene of one screensaver window. The world owns every object of the sky
// and builds them in a fixed order; its sprite director's list is the
// layering of the picture, back to front:
//   background, normal stars, message stars, clock, moon, bottom line,
//   moon-info label, quotes label, airplanes, falling star.
// Each construction and update step is a function of its own, called in the
// order of that list. The application updates the world once per tick and
// draws it with draw: every sprite reports what it covered and covers now, and
// only the rectangles where something changed are drawn again (background
// first, then the sprites that touch them, in the usual order), unless so
// much changed that the whole frame is cheaper.
#pragma once

#include "moon/moon_info.h"
#include "platform/color.h"
#include "settings/app_settings.h"
#include "system/rect.h"
#include "sprites/move_restriction.h"
#include "sprites/sprite_director.h"
#include "sprites/sprite_text.h"
#include "world/airplane.h"
#include "world/clock_sprite.h"
#include "world/falling_star.h"
#include "world/frame_rate_sprite.h"
#include "world/moon_info_sprite.h"
#include "world/moon_refresh.h"
#include "world/moon_sprite.h"
#include "world/msg_star_director.h"
#include "world/quotes_sprite.h"
#include "world/real_sky_moon.h"
#include "world/real_sky_sprite.h"
#include "world/sky_background.h"
#include "world/sky_background_factory.h"
#include "world/star_sprite_with_pixels.h"
#include "world/world_sounds.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class keslWindow;

class TorvanelWorld {
public:
    static constexpr long kMinimumStars = 80;
    static constexpr size_t kAirplaneCount = 3;
    static constexpr long kPixelsPerStar = 4000;
    static constexpr float kDimSkyShare = 0.1f;
    static constexpr float kStarBrightnessLow = 0.05f;
    static constexpr float kStarBrightnessHigh = 0.4f;
    static constexpr float kStarTwinkleAmplitude = 0.6f;
    static constexpr float kStarTwinkleSeconds = 2.0f;
    static constexpr float kStarPauseSeconds = 100.0f;
    // Drift of a normal star, pixels per second in each direction.
    static constexpr float kStarDriftSpeed = 0.2f;
    // The outline --show-dirty draws round each changed rectangle.
    static constexpr keslColor kDirtyOutlineColor = 0x00FF00FFu;

    static constexpr const char* kBackgroundStepContext = "initializeBackground() exception";
    static constexpr const char* kBottomLineStepContext = "initializeBottomLine() exception";
    static constexpr const char* kMoonInfoLabelStepContext = "initializeMoonInfoLabel() exception";
    // The clock's box: it starts at least this far from the main monitor's right and bottom.
    static constexpr float kClockRightMargin = 250.0f;
    static constexpr float kClockBottomMargin = 40.0f;
    static constexpr const char* kQuotesLabelStepContext = "initializeQuotesLabel() exception";
    static constexpr const char* kRealSkyStepContext = "initializeRealSky() exception";

    // A null window leaves a world with nothing scheduled. The factory makes the
    // background from the settings; tests hand in their own.
    TorvanelWorld(keslWindow* window, bool preview, const keslRect<int>& mainMonitorRect, long totalPixels,
                  const std::string& containerFolder,
                  const cSkyBackgroundFactory& backgroundFactory = cSkyBackgroundFactory());
    ~TorvanelWorld();
    TorvanelWorld(const TorvanelWorld&) = delete;
    TorvanelWorld& operator=(const TorvanelWorld&) = delete;

    // Advances the sky by a fixed step.
    void update(float seconds);
    // Draws what changed since the last draw (the whole frame the first time)
    // and tells the window what that was, so it shows only that.
    void draw();
    // The next draw draws and shows the whole frame (the window was uncovered, say).
    void requestWholeFrame() { m_wholeFrameDue = true; }
    // Every frame whole: the way frames were drawn before they were tracked.
    void setDrawWholeFrames(bool whole) { m_drawWholeFrames = whole; }
    // Outlines the changed rectangles on screen, to see what is drawn.
    void setShowDirty(bool show) { m_showDirty = show; }
    // What the last draw drew.
    const keslDirtyRegion& lastDrawn() const { return m_dirty; }

    // One normal star per 4000 pixels of all monitors, at least 80.
    static long starCountFor(long totalPixels);
    // Creates, places and schedules count normal stars drifting over the window.
    void createStars(long count);

    const std::vector<std::unique_ptr<cStarSpriteWithPixels>>& getStars() const { return m_stars; }
    const cMsgStarArray& getMsgStars() const { return m_particlePtrList; }
    // Tests hand in their own messages before the first update.
    cMsgStarDirector& getMsgStarDirector() { return m_msgStarDirector; }
    const TzerinSpriteText& getBottomLine() const { return m_bottomLine; }
    const cQuotesSprite& getQuotesLabel() const { return m_quotesLabel; }
    const cMoonSprite& getMoon() const { return m_moon; }
    const cMoonInfoSprite& getMoonInfoLabel() const { return m_moonInfoLabel; }
    const cClockSprite& getClock() const { return m_clock; }
    const cFrameRateSprite& getFrameRateLabel() const { return m_frameRateLabel; }
    const std::array<cAirplane, kAirplaneCount>& getAirplanes() const { return m_airplanes; }
    const cFallingStar& getFallingStar() const { return m_fallingStar; }
    cSkyBackground* getBackground() const { return m_backgroundPtr.get(); }
    // The real sky in place of the background and the normal stars, or null for the classic sky.
    const cRealSkySprite* getRealSky() const { return m_realSky.get(); }
    const keslRect<int>& getMainMonitorRect() const { return m_mainMonitorRect; }
    keslColor getDimSkyColor() const { return m_dimSkyColor; }
    const keslRect<int>& getWindowBounds() const { return m_windowWrap.bounds; }
    const keslRect<int>& getMainMonitorBounds() const { return m_mainMonitorBounce.bounds; }
    const std::string& getContainerFolder() const { return m_containerFolder; }
    // Null in preview: a preview makes no sound.
    const cWorldSounds* getSoundSettings() const { return m_soundSettings.get(); }

    // Every scheduled sprite in drawing order; the application draws through it.
    TzerinSpriteDirector spriteDirector;

private:
    // Construction steps, in their order.
    void setSkyColor();
    void setRectangles(const keslRect<int>& mainMonitorRect);
    void initializeBackground(const cSkyBackgroundFactory& backgroundFactory);
    void initializeRealSky();
    void turnMoonToRealSky();
    static std::string eclipseLine(eEclipseState state);
    void createMessageStars();
    void loadMessages();
    void initializeClock();
    void initializeMoon(bool preview);
    void initializeBottomLine();
    void initializeMoonInfoLabel(bool preview);
    sMoonTextOptions moonTextOptions() const;
    void initializeQuotesLabel();
    void createSoundSettings();
    void scheduleAirplanes();
    void scheduleFallingStar();

    void collectChanges();
    void restMessageStarsOutOfPlay();
    void wakeMessageStarsForTransition();
    void drawChanges();
    void outlineChanges();

    // Update steps after the director's, in their order.
    void followRealMoon();
    void keepMoonInfoLabelUnderMoon();
    void runMessageTiming(float seconds);
    void refreshStaleMoon();
    void runSounds(float seconds);

    // Destruction steps, in their order.
    void deleteStars();
    void deleteMessageStars();
    void releaseSounds();
    void deleteBackground();

    std::unique_ptr<cWorldSounds> m_soundSettings;
    keslRect<int> m_mainMonitorRect;
    TzerinMoveRestriction_BounceInsideRect m_windowBounce;
    TzerinMoveRestriction_BounceInsideRect m_mainMonitorBounce;
    TzerinMoveRestriction_ContinueInsideRect m_windowWrap;
    cMoonInfoSprite m_moonInfoLabel;
    cQuotesSprite m_quotesLabel{"quotesLabel", cQuotesSprite::kLabelColor};
    TzerinSpriteText m_bottomLine{"bottomLine"};
    cMoonSprite m_moon;
    cMoonInfo m_moonInfo;
    cMoonRefresh m_moonRefresh;
    cMoonSettings m_moonSettings;
    std::vector<std::unique_ptr<cStarSpriteWithPixels>> m_stars;
    cMsgStarArray m_particlePtrList;
    // Where the message stars begin among the director's members, and whether
    // those out of play have been found (and rest) since the last transition.
    size_t m_msgStarsFirstMember = 0;
    bool m_msgStarsOutOfPlayResting = false;
    std::array<cAirplane, kAirplaneCount> m_airplanes;
    cFallingStar m_fallingStar;
    keslColor m_dimSkyColor = kColorOpaqueBlack;
    cTextProjector m_textProjector;
    cMsgStarDirector m_msgStarDirector;
    keslWindow* m_window;
    cTargetPoints m_targetPoints;
    std::unique_ptr<cSkyBackground> m_backgroundPtr;
    std::string m_containerFolder;
    cClockSprite m_clock;
    cFrameRateSprite m_frameRateLabel;
    keslDirtyRegion m_dirty;
    // Each member's reported rectangle, in the director's order: the drawing pass
    // finds the few members a change touches without visiting the thousands it does not.
    std::vector<keslRect<int>> m_reportedCoverages;
    // Rectangles outlined on screen last frame; they are drawn over again next frame.
    keslDirtyRegion m_outlined;
    bool m_wholeFrameDue = true;
    bool m_drawWholeFrames = false;
    bool m_showDirty = false;
    std::unique_ptr<cRealSkySprite> m_realSky;
    cMoonTurner m_moonTurner;
    eEclipseState m_eclipseState = eEclipseState::none;  // as the moon's label tells it
    bool m_moonFollowsSky = false;
    bool m_realMoonShown = false;
    bool m_moonLabelFollows = false;
};
