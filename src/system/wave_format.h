// Reads the header of a RIFF WAVE file held in memory, so a player can hand
// the PCM samples to a sound server that knows nothing of files. Only plain
// integer PCM is accepted; anything else is refused rather than played as
// noise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct keslWaveSound {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    // Borrowed from the bytes parsed; whole frames only.
    const unsigned char* samples = nullptr;
    size_t sampleBytes = 0;

    size_t frameBytes() const { return static_cast<size_t>(channels) * static_cast<size_t>(bitsPerSample / 8); }
    double seconds() const;
};

// False, with the reason in problem, when the bytes are not PCM WAVE
// (8 or 16 bits, 1 or 2 channels, 8000 to 96000 Hz) or are cut short.
bool parseWave(const unsigned char* data, size_t size, keslWaveSound& out, std::string& problem);
