// The first thing drawn in every frame: a solid colour over the whole window,
// or a bitmap stretched or tiled over it (sky_background_image.h). A background
// never moves; it learns the window's size once, at its first draw.
#pragma once

#include "platform/color.h"
#include "sprites/sprite.h"

// The dark blue every sky colour is derived from.
constexpr keslColor skyBaseColor = 0x00008BFFu;

class cSkyBackground : public TzerinSprite {
public:
    cSkyBackground();

    // Reads the window's client size and screen position; needs the render window.
    virtual void initialize();

    // The whole window, always: it is what every change is drawn over.
    keslRect<int> coverage() override;

    int getClientWidth() const { return clientWidth; }
    int getClientHeight() const { return clientHeight; }

    bool needsInitialize = true;

protected:
    // Runs initialize once, on the first draw after construction.
    void initializeOnFirstDraw();

    int clientWidth = 0;
    int clientHeight = 0;
};

class cSkyBackground_SolidColor : public cSkyBackground {
public:
    explicit cSkyBackground_SolidColor(keslColor fillColor) : m_fillColor(fillColor) {}

    void draw() override;
    void calculateSize() override;

    keslColor getFillColor() const { return m_fillColor; }

private:
    keslColor m_fillColor;
};
