#include "settings/sound_page_logic.h"

#include "settings/sound_table.h"
#include "system/system_services.h"

namespace {

void playOnce(int waveResource) {
    keslSystem& system = keslSystemServices();
    system.stopSound();
    if (waveResource != kNoWave) system.playSound(waveResource, false);
}

}  // namespace

void previewSoundChoice(int choiceValue) { playOnce(waveOfSoundChoice(choiceValue)); }

void previewHourlyChime(bool checked) {
    if (checked) playOnce(kCuckooWave);
}
