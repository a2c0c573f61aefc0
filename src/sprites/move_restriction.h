// Rules that keep particles inside a rectangle: bouncing off its edges (the
// clock, the moon, the quotes) or wrapping around to the opposite edge (stars,
// airplanes). One restriction is shared by many particles and owned by the
// world; it only adjusts speeds or positions, never allocates.
#pragma once

#include "system/rect.h"

class TzerinParticle;

class TzerinMoveRestriction {
public:
    virtual ~TzerinMoveRestriction() = default;
    virtual void apply(TzerinParticle* particle) = 0;
    // False only when the restriction cannot act on the particle before it
    // moves to another pixel.
    virtual bool mayAct(const TzerinParticle&) const { return true; }

    // Copied from the particle before each application; asks for a debug outline.
    bool highlight = false;
};

class TzerinMoveRestriction_InsideRect : public TzerinMoveRestriction {
public:
    // Both rules act only at or past an edge: a particle a pixel clear of
    // every edge stays clear until its pixel changes.
    bool mayAct(const TzerinParticle& particle) const override;

    keslRect<int> bounds;
};

class TzerinMoveRestriction_BounceInsideRect : public TzerinMoveRestriction_InsideRect {
public:
    static constexpr int kHighlightFramesOnBounce = 30;
    // Turns the speed back when the particle reaches an edge moving outwards.
    void apply(TzerinParticle* particle) override;
};

class TzerinMoveRestriction_ContinueInsideRect : public TzerinMoveRestriction_InsideRect {
public:
    // Moves a particle that left completely to just beyond the opposite edge.
    void apply(TzerinParticle* particle) override;
};
