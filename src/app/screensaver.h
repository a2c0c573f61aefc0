// The Orvanel application: one per process, bound to the one screensaver
// window, owning the sky built for it. Every timer tick advances the scene by
// a fixed step, so a late timer slows the animation instead of making it jump.
#pragma once

#include "app/prevent_computer_sleep.h"
#include "app/screensaver_abstract.h"
#include "app/telemetry_manager.h"
#include "settings/app_settings.h"
#include "world/window_transition_effect.h"
#include "world/world.h"

#include <memory>

// The fixed animation step of one frame, in seconds, and the frame timer.
constexpr float frameStep = 0.04f;
constexpr unsigned kFrameTimerId = 1;
constexpr unsigned kFrameTimerMilliseconds = 40;
// Seconds of full-screen animation after which one run is reported.
constexpr float kRunEventDelaySeconds = 25.0f;
// The value of the setting "startupEffect" that opens with the old TV switching off.
constexpr int kStartupEffectOldTV = 1;

class orvanelScreensaver : public keslScreenSaverAbstract {
public:
    orvanelScreensaver();
    ~orvanelScreensaver() override;

    void initWithWindowHandle(keslWindowHandle window, int monitorId) override;
    int showConfigureSheet(keslWindowHandle parent) override;
    void tick(float seconds) override;
    void drawFrame() override;
    // The next frame is drawn and shown whole: the window lost what it showed.
    void requestWholeFrame();
    void eraseBackground() override {}
    void shutDown() override;
    // A new screen layout: the sky is built anew for the new window and
    // monitors. Nothing of a run's start happens again: no hot-corner test,
    // no start-up effect, keep-awake and statistics untouched.
    void changeScreens(std::unique_ptr<keslWindow> window);
    bool hasConfigureSheet() override { return true; }

    int getMonitorId() const { return monitorId; }
    bool isPreview() const { return monitorId == -1; }
    const keslRect<int>& getMainMonitorRect() const { return m_mainMonitorRect; }
    long getTotalPixels() const { return m_totalPixels; }
    float getRunEventCountdown() const { return runEventCountdown; }
    TorvanelWorld* getWorld() const { return ovWorldPtr.get(); }
    const cWindowTransitionEffect_base* getStartupEffect() const { return startupEffectPtr.get(); }
    const cPreventComputerSleep& getKeepAwake() const { return m_keepAwake; }
    cTelemetryManager& getTelemetry() { return m_telemetry; }

private:
    bool cursorInHotCorner() const;
    void buildWorld();
    void countDownToRunEvent(float seconds);
    void startStartupEffect();
    bool startupEffectPlays() const;

    // The sky of the window; borrows the window, so it goes before the window does.
    std::unique_ptr<TorvanelWorld> ovWorldPtr;
    // Plays on the window before the sky starts; null once it has finished.
    std::unique_ptr<cWindowTransitionEffect_base> startupEffectPtr;
    cGeneralSettings m_settings;
    // Destroyed after the life line, so the log tells the release after the end.
    cPreventComputerSleep m_keepAwake;
    logObjectLife m_life{"orvanelScreensaver"};
    // Stopped before the life line ends, so the log shows the drain inside the object's life.
    cTelemetryManager m_telemetry;
    int monitorId = 0;
    keslRect<int> m_mainMonitorRect;
    long m_totalPixels = 0;
    float runEventCountdown = kRunEventDelaySeconds;
};
