// The sounds the user can choose ("snd_selectedSound") and the hourly chime:
// which WAVE resource each plays and the label the sounds page shows.
#pragma once

#include <array>

struct keslSoundChoice {
    int value;
    int waveResource;  // kNoWave for silence
    const char* label;
};

inline constexpr int kNoWave = 0;
inline constexpr int kCuckooWave = 111;
inline constexpr int kRoosterWave = 114;
inline constexpr int kFirstRoosterHour = 7;
inline constexpr int kLastRoosterHour = 9;

inline constexpr std::array<keslSoundChoice, 7> kSoundChoices{{
    {0, kNoWave, "The sound of silence"},
    {1, 116, "Sleeping with the one I love"},
    {2, 115, "Sleep reminder"},
    {3, 4, "Lullaby"},
    {4, 117, "Ocean waves"},
    {5, 109, "Birds"},
    {6, 112, "Feeling blue"},
}};

// The WAVE resource of a stored choice; any unknown value is silence.
constexpr int waveOfSoundChoice(int value) {
    for (const keslSoundChoice& choice : kSoundChoices) {
        if (choice.value == value) return choice.waveResource;
    }
    return kNoWave;
}

// The chime for the hour that has just begun (0..23): a rooster in the morning.
constexpr int hourlyChimeWave(int newHour) {
    return (newHour >= kFirstRoosterHour && newHour <= kLastRoosterHour) ? kRoosterWave : kCuckooWave;
}
