// Feeds arbitrary bytes to the WAVE reader the sound player trusts: it must
// refuse what is malformed without reading outside its buffer, and what it
// accepts must be whole frames inside the bytes.
#include "system/wave_format.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    keslWaveSound sound;
    std::string problem;
    if (!parseWave(data, size, sound, problem)) {
        if (problem.empty() || sound.samples != nullptr) __builtin_trap();
        return 0;
    }
    if (sound.samples < data || sound.samples + sound.sampleBytes > data + size) __builtin_trap();
    if (sound.sampleBytes == 0 || sound.sampleBytes % sound.frameBytes() != 0) __builtin_trap();
    // Touch every byte handed to the sound server.
    unsigned sum = 0;
    for (size_t i = 0; i < sound.sampleBytes; ++i) sum += sound.samples[i];
    return static_cast<int>(sum & 0);
}
