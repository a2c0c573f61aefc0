// A drawable particle: it knows the window it draws on (borrowed), whether
// its measured size is still valid, how many times it has been disabled, and
// its own optional text attributes. Concrete sprites measure themselves in
// calculateSize and usually replace draw.
#pragma once

#include "platform/text_params.h"
#include "sprites/particle.h"

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

    void disable() { ++disabledCount; }
    void enable() {
        if (disabledCount >= 1) --disabledCount;
    }
    bool isVisible() const { return disabledCount <= 0; }
    const char* getName() const { return m_name; }

    int disabledCount = 0;
    keslWindow* m_renderWindowPtr = nullptr;
    bool sizeValid = false;
    spriteTextParams textParams;

private:
    void drawOutlineEdge(float x1, float y1, float x2, float y2);

    const char* m_name;
};
