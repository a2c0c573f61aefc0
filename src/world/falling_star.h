// A falling star: a short bright streak that shoots down across the window
// every half minute or so, then waits hidden at a new random place for its
// next fall. Its speed and tail follow the window's width, capped so that a
// very wide desktop does not turn it into a slow, long comet.
#pragma once

#include "sprites/sprite.h"

class cFallingStar : public TzerinSprite {
public:
    static constexpr float kCrossingSeconds = 1.1f;
    static constexpr float kMeanIntervalSeconds = 29.5f;
    static constexpr int kWidthCap = 1300;
    static constexpr keslColor kHeadColor = 0xFFDFA0FFu;
    static constexpr keslColor kTailColor = 0x806030FFu;

    cFallingStar();

    void draw() override;
    void calculateSize() override;
    // The box of the streak from head to tail end, widened by the head's pen.
    keslRect<int> coverage() override;
    // Waits, then falls; below the window's bottom it prepares the next fall.
    void update(float seconds) override;

    // Prepares the next fall: direction, speed, tail, start column and wait.
    // Needs a window; without one it does nothing.
    void launch();

    bool isLaunched() const { return m_launched; }
    float getWait() const { return m_wait; }
    float getTailX() const { return m_tailX; }
    float getTailY() const { return m_tailY; }

private:
    void drawSegment(float x1, float y1, float x2, float y2, int lineWidth, keslColor color);

    float m_crossingTime = kCrossingSeconds;
    float m_interval = kMeanIntervalSeconds;
    float m_wait = 0.0f;
    bool m_launched = false;
    float m_tailX = 0.0f;
    float m_tailY = 0.0f;
    float m_cosine = 0.0f;
    float m_sine = 0.0f;
};
