// The moon: a photograph of the full moon in one of four sizes, darkened once
// at start-up so that only the part lit in today's phase stays bright, then
// drifting slowly right and bouncing inside the main monitor. Every moon of
// the process is lit for the same phase; a long run lights it anew (relight)
// when the phase has moved, in a frame that can spare the time.
// Always drawn as seen from the northern hemisphere: waxing lit on the right.
// Under a lit sky it lightens what is behind it instead of covering it, so
// its dark side vanishes into the day's blue as the real moon's does.
#pragma once

#include "system/rect.h"
#include "sprites/sprite_image.h"

struct cMoonSettings;
class keslWindow;

class cMoonSprite : public TzerinSpriteImage_ownedImg {
public:
    static constexpr int kSmallBitmap = 118;   // 50 px, also every preview
    static constexpr int kMediumBitmap = 120;  // 100 px, and any size not offered
    static constexpr int kLargeBitmap = 121;   // 200 px
    static constexpr int kHugeBitmap = 122;    // 300 px
    static constexpr float kDriftSpeed = 0.1f;
    // Where the moon may start: its top between these offsets from the monitor's top.
    static constexpr float kTopMargin = 15.0f;
    static constexpr float kBottomMargin = 30.0f;

    cMoonSprite();

    // The bitmap for a moonSize setting; a preview always gets the smallest.
    static int resourceIdFor(int moonSize, bool preview);

    // Loads, lights and places the moon from the settings; false (and the
    // sprite disabled) when the moon is off or its bitmap cannot be loaded.
    // phaseDegrees is today's phase; only the first call of the process counts.
    bool initializeMoon(bool preview, const cMoonSettings& settings, int phaseDegrees, keslWindow* window,
                        const keslRect<int>& mainMonitorRect);

    // Darkens every pixel of the image by how far it lies from the lit side at
    // the phase (0 full, 90 last quarter, 180 new, 270 first quarter).
    void illuminateAtPhase(int phaseDegrees);

    // Lights the picture anew for a phase, where the moon stands; false when
    // the moon is off or its bitmap cannot be loaded again.
    bool relight(int phaseDegrees);

    // The phase the moons of this process are lit for: the first one asked,
    // until a relight moves it on.
    static int lightingPhase(int phaseDegreesNow);

    void draw() override;
    // Whether the sky behind it is lit (day or twilight); drawn anew when that changes.
    void setSkyLit(bool lit);

private:
    bool loadBitmap(int resourceId);
    void light(int phaseDegrees);
    void useCornerAsTransparentColor();
    void placeInside(const keslRect<int>& mainMonitorRect);

    int m_resourceId = 0;
    bool m_skyLit = false;
};

// Brightness 0..1 of pixel (x, y) of a moon image width pixels wide at a phase.
float moonPixelBrightness(int x, int y, int width, int phaseDegrees);
