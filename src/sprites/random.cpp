#include "sprites/random.h"

#include "system/system_services.h"

#include <cstdlib>

namespace {
bool g_seeded = false;
constexpr float kRandStepsInverse = 1.0f / 32768.0f;
}  // namespace

void keslSeedRandomOnce() {
    if (g_seeded) return;
    std::srand(static_cast<unsigned>(keslSystemServices().currentTime()));
    g_seeded = true;
}

float keslRandomUnit() {
    keslSeedRandomOnce();
    // rand() & 0x7FFF keeps the 32768 steps where RAND_MAX is larger than on Windows.
    return static_cast<float>(std::rand() & 0x7FFF) * kRandStepsInverse;
}

float keslRandomFloat(float low, float high) { return keslRandomUnit() * (high - low) + low; }
