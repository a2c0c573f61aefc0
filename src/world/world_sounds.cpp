#include "world/world_sounds.h"

#include "settings/sound_table.h"
#include "system/system_services.h"
#include "util/log.h"

#include <ctime>

float& startupSoundCountdown() {
    static float countdown = cWorldSounds::kStartupDelaySeconds;
    return countdown;
}

void playSoundByType(int type, bool loop) {
    keslSystem& system = keslSystemServices();
    system.stopSound();
    const int wave = waveOfSoundChoice(type);
    if (wave == kNoWave) return;
    logInfo("Playing sound %d (WAVE %d)%s", type, wave, loop ? " in a loop" : "");
    system.playSound(wave, loop);
}

cWorldSounds::cWorldSounds(keslKeyValue& store, float& startupCountdown)
    : m_settings(store), m_startupCountdown(startupCountdown) {}

cWorldSounds::~cWorldSounds() { keslSystemServices().stopSound(); }

void cWorldSounds::update(float seconds) {
    runHourlyChime(seconds);
    runStartupSound(seconds);
}

void cWorldSounds::runHourlyChime(float seconds) {
    if (!m_settings.cuckooEveryHour.get()) return;
    m_chimeElapsed += seconds;
    if (m_chimeElapsed < kClockLookSeconds) return;
    m_chimeElapsed = 0.0f;

    keslSystem& system = keslSystemServices();
    std::tm local{};
    if (!system.localTime(system.currentTime(), local)) return;
    if (local.tm_min == 0 && m_lastMinute == kLastMinuteOfHour) {
        const int wave = hourlyChimeWave(local.tm_hour);
        logInfo("Hourly chime at %02d:00 (WAVE %d)", local.tm_hour, wave);
        // Whatever the user chose gives way to the chime and does not come back.
        system.stopSound();
        system.stopSound();
        system.playSound(wave, false);
    }
    m_lastMinute = local.tm_min;
}

void cWorldSounds::runStartupSound(float seconds) {
    if (m_startupCountdown <= 0.0f) return;
    m_startupCountdown -= seconds;
    if (m_startupCountdown <= 0.0f) playSoundByType(m_settings.selectedSound.get(), m_settings.loopSound.get());
}
