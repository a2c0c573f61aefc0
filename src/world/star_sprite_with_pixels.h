// A star drawn as one of the shared palette's images, chosen by its current
// brightness. The first star of the process builds the palette from its own
// star pattern and the last one frees it, so a rebuilt world builds it anew.
#pragma once

#include "world/instance_counter.h"
#include "world/star_palette.h"
#include "world/twinkle_star_sprite.h"

class cStarSpriteWithPixels : public cTwinkleStarSprite, public keslInstanceCounterPattern {
public:
    cStarSpriteWithPixels(const char* name, float brightness, float amplitude, float duration, float pause);
    ~cStarSpriteWithPixels() override;
    cStarSpriteWithPixels(const cStarSpriteWithPixels&) = delete;
    cStarSpriteWithPixels& operator=(const cStarSpriteWithPixels&) = delete;

    void draw() override;
    void calculateSize() override;
    keslRect<int> coverage() override;
    // The palette level drawn.
    std::uint64_t appearance() override;
    // One quadrant of the star of this brightness (taken in hundredths, the
    // palette's levels): a bluish-white point whose arms grow with brightness.
    virtual void makeStarPattern(float brightness, cStarPattern& pattern);

    // Pixel stars alive in the process.
    static int instanceCount();

private:
    void buildPalette();
    int paletteLevel() const;
};
