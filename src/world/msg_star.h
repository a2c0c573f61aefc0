// A message star: one of the fixed crowd that spells the user's messages. It
// rests hidden until a transition gives it a part; then it waits at its start
// position, flies in a straight line at constant speed to its target within
// its own time window, and twinkles like any other star while it is in play.
// Every star keeps its index for ever, so star i always takes the i-th lit
// pixel of the current message.
#pragma once

#include "world/star_sprite_with_pixels.h"

#include <array>
#include <memory>

class cMsgStar : public cStarSpriteWithPixels {
public:
    static constexpr const char* kName = "msg star";
    static constexpr float kMinBrightness = 0.3f;
    static constexpr float kMaxBrightness = 0.5f;
    static constexpr float kTwinkleAmplitude = 0.5f;
    static constexpr float kTwinkleDurationSeconds = 2.5f;
    static constexpr float kTwinklePauseSeconds = 30.0f;

    // A dim star of random brightness, idle and invisible.
    cMsgStar();

    // Drawn as any star, but only while active.
    void draw() override;
    keslRect<int> coverage() override;
    // Only while active: the flight, then the move and twinkle of any star.
    void update(float seconds) override;
    // Whoever rewrites the crowd wakes it first. Out of play a star does
    // nothing; in play it sleeps while it waits for its flight and between
    // twinkles once it is home.
    float quietSeconds() const override;

    bool active = false;
    // What active becomes when the current flight ends.
    bool activeAfterMove = true;
    int targetX = 0;
    int targetY = 0;
    // Seconds since the star's transition started.
    float transitionClock = 0.0f;
    float m_startMovingAtTime = 0.0f;
    // Always later than the start.
    float m_endMovingAtTime = 1.0f;
    bool moveStarted = false;
    bool moveEnded = false;

private:
    // The flight began flownSeconds before the end of a step of stepSeconds.
    void startFlight(float flownSeconds, float stepSeconds);
    void endFlight();
};

// The world's crowd: owned by the world, borrowed by transitions.
constexpr int kMsgStarCount = 1500;
using cMsgStarArray = std::array<std::unique_ptr<cMsgStar>, kMsgStarCount>;
