// A drawable particle: it knows the window it draws on (borrowed), whether
// its measured size is still valid, how many times it has been disabled, and
// its own optional text attributes. Concrete sprites measure themselves in
// calculateSize and usually replace draw.
#pragma once

#include "platform/color.h"
#include "platform/dirty_region.h"
#include "sprites/particle.h"

#include <cstdint>

class keslWindow;

class TzerinSprite : public TzerinParticle {
public:
    static constexpr keslColor kOutlineColor = 0xFFFF00FFu;

    // The name is a string literal; it is not copied.
    explicit TzerinSprite(const char* name);
    ~TzerinSprite() override = default;

    // Base draw: only the debug outline while highlightFrames lasts.
    virtual void draw();
    virtual void calculateSize() = 0;
    virtual void setRenderWindow(keslWindow* window);
    virtual void update(float seconds);
    // How long, from now, the sprite will certainly neither move to another
    // pixel nor change its look if only time passes. The director may then
    // hand it that time in one later update instead of frame by frame. 0 (the
    // default) asks for every frame, as anything changed from outside must.
    virtual float quietSeconds() const { return 0.0f; }

    // The window pixels the sprite paints as it is now; empty when it paints
    // nothing. Never smaller than what draw touches: a frame drawn only where
    // something changed relies on it.
    virtual keslRect<int> coverage();
    // Changes whenever the sprite would paint other pixels within the same coverage.
    virtual std::uint64_t appearance();
    // When the sprite moved or changed since the last report, adds the
    // rectangle it covered then and the one it covers now; remembers now.
    // A sprite whose parts change apart from one another adds those parts as well.
    virtual void reportChange(keslDirtyRegion& region);
    // What the last report found the sprite covering.
    const keslRect<int>& reportedCoverage() const { return m_reportedCoverage; }
    // For changes appearance cannot see (the pixels of an image redrawn in place).
    void markChanged() { ++m_changes; }

    void disable() { ++disabledCount; }
    void enable() {
        if (disabledCount >= 1) --disabledCount;
    }
    bool isVisible() const { return disabledCount <= 0; }
    const char* getName() const { return m_name; }

    int disabledCount = 0;
    keslWindow* m_renderWindowPtr = nullptr;
    bool sizeValid = false;

private:
    void drawOutlineEdge(float x1, float y1, float x2, float y2);
    keslRect<int> outlineCoverage() const;

    const char* m_name;
    keslRect<int> m_reportedCoverage;
    std::uint64_t m_reportedAppearance = 0;
    std::uint64_t m_changes = 0;
};
