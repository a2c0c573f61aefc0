// An airplane: a tiny grey dot that cruises slowly across the sky at a
// shallow angle and flashes a small red light every 2.2 seconds. It needs the
// window's size to find its place, so it is placed on its first update with a
// window rather than at construction.
#pragma once

#include "sprites/sprite.h"

class cAirplane : public TzerinSprite {
public:
    static constexpr float kCruiseSpeed = 20.0f;
    static constexpr float kFlashSeconds = 0.2f;
    static constexpr float kDarkSeconds = 2.0f;
    static constexpr keslColor kBodyColor = 0xC0C0C0FFu;
    static constexpr keslColor kLightColor = 0xFF0000FFu;

    // Draws the blink phase, the heading and the speed at random.
    cAirplane();

    void draw() override;
    void calculateSize() override;
    // The light's box, which also holds the body.
    keslRect<int> coverage() override;
    std::uint64_t appearance() override { return m_lightOn ? 1 : 0; }
    void update(float seconds) override;

    // Folds a heading (radians) within 45 degrees of straight up or down onto
    // one within 45 degrees of the horizontal.
    static float levelHeading(float heading);

    bool isLightOn() const { return m_lightOn; }
    bool isPlaced() const { return m_placed; }
    float getBlinkClock() const { return m_blinkClock; }
    void setBlinkClock(float seconds) { m_blinkClock = seconds; }

private:
    void placeInWindow();
    void advanceBlink(float seconds);

    float m_cruiseSpeed = kCruiseSpeed;
    float m_flashDuration = kFlashSeconds;
    float m_darkDuration = kDarkSeconds;
    float m_blinkClock = 0.0f;
    bool m_lightOn = false;
    bool m_placed = false;
};
