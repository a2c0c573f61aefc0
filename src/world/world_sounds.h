// The sounds of a full-screen sky: the sound the user chose, started once per
// process shortly after the first sky appears (so a screensaver that the user
// dismisses at once stays quiet), and a chime at every full hour, a rooster in
// the morning. Preview windows build none of this. The settings are read
// anew every frame, so the configuration sheet's changes count at once.
#pragma once

#include "settings/app_settings.h"

// Seconds until the start-up sound; one countdown for the whole process,
// 1.5 at start and never reset.
float& startupSoundCountdown();

// Stops any sound, then plays the WAVE resource of a "snd_selectedSound"
// value; an unknown value only stops.
void playSoundByType(int type, bool loop);

class cWorldSounds {
public:
    static constexpr float kStartupDelaySeconds = 1.5f;
    // The clock is asked for the minute no more often than this.
    static constexpr float kClockLookSeconds = 1.5f;
    static constexpr int kLastMinuteOfHour = 59;

    // A test hands in its own store and countdown; the sky uses the
    // application's settings and the process's countdown.
    explicit cWorldSounds(keslKeyValue& store = settingsGroups::defaultStore(),
                          float& startupCountdown = startupSoundCountdown());
    // Silences whatever plays.
    ~cWorldSounds();
    cWorldSounds(const cWorldSounds&) = delete;
    cWorldSounds& operator=(const cWorldSounds&) = delete;

    void update(float seconds);

private:
    void runHourlyChime(float seconds);
    void runStartupSound(float seconds);

    cSoundSettings m_settings;
    float m_chimeElapsed = 0.0f;
    int m_lastMinute = 0;
    float& m_startupCountdown;
};
