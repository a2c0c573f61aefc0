// Everything that moves in the sky is a particle: a rectangle with a speed,
// stepped by plain Euler integration, and a list of borrowed restrictions
// that keep it on screen. Restrictions run only on every third moving step
// because thousands of stars move every frame.
#pragma once

#include "system/point.h"
#include "system/rect.h"

#include <vector>

class TzerinMoveRestriction;

template <typename T>
class TzerinPhysicalPropertiesT : public keslRect<T> {
public:
    T speedX{};
    T speedY{};
    // Further draws that outline the object (set by a bouncing restriction in debug use).
    int highlightFrames = 0;
    // Moving code writes through these; they always alias left and top.
    T& x;
    T& y;

    TzerinPhysicalPropertiesT() : x(this->left), y(this->top) {}
    TzerinPhysicalPropertiesT(const TzerinPhysicalPropertiesT& other)
        : keslRect<T>(other), speedX(other.speedX), speedY(other.speedY), highlightFrames(other.highlightFrames),
          x(this->left), y(this->top) {}
    TzerinPhysicalPropertiesT& operator=(const TzerinPhysicalPropertiesT& other) {
        keslRect<T>::operator=(other);
        speedX = other.speedX;
        speedY = other.speedY;
        highlightFrames = other.highlightFrames;
        return *this;
    }
};

class TzerinParticle : public TzerinPhysicalPropertiesT<float> {
public:
    static constexpr int kMovesPerRestrictionCheck = 3;

    TzerinParticle() = default;
    ~TzerinParticle() override = default;

    // Advances by the speed; false when nothing moved.
    virtual bool move(float seconds);
    // Seconds until the pixel of the particle's corner changes at its speed;
    // 0 while one of its restrictions might act on it, so that it is not
    // kept from acting on time.
    float secondsToNextPixel() const;
    virtual void setRandomPosition(float boundLeft, float boundTop, float boundRight, float boundBottom);
    virtual void setRandomPosition(keslPoint<float> topLeft, keslPoint<float> bottomRight);

    // The restriction stays owned by the caller and is shared among many particles.
    void addRestriction(TzerinMoveRestriction* restriction);

    std::vector<TzerinMoveRestriction*> restrictions;
    bool restrictionsEnabled = false;
    bool highlightMoves = false;

private:
    int m_restrictionCounter = 0;
};
