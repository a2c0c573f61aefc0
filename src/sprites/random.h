// The one random source of the sky. Everything that places or times things
// at random draws from the C library generator, seeded once per process with
// the clock, so one seed decides a whole run.
#pragma once

// Seeds the generator on first use; later calls do nothing.
void keslSeedRandomOnce();
// A float in [low, high) with 32768 steps.
float keslRandomFloat(float low, float high);
// rand() / 32768 after the same seeding: a float in [0, 1) with 32768 steps.
float keslRandomUnit();
