// The pictures the real sky draws its points of light from: for every colour
// (star colour classes by B-V, then one per planet) and every brightness level
// (steps of a fraction of a magnitude), one small image of a star as a lens
// sees it: a core that saturates and a soft halo that widens with the light.
// Light follows flux, compressed by a power so the faintest star and Sirius
// both fit a screen. Built once; a frame only copies images.
#pragma once

#include "platform/image.h"

#include <array>
#include <memory>
#include <vector>

// Planets in solar-system order from Mercury, each drawn in its own colour.
inline constexpr int kRealSkyPlanetCount = 7;

class cRealSkyPalette {
public:
    static constexpr int kStarColourClasses = 8;
    static constexpr int kColourClasses = kStarColourClasses + kRealSkyPlanetCount;
    static constexpr int kLevels = 64;
    static constexpr int kLargestRadius = 7;  // no picture reaches further from its centre
    static constexpr float kFaintestMagnitude = 6.6f;  // level 0
    static constexpr float kMagnitudesPerLevel = 0.15f;
    // Pixels dimmer than this are left out (drawn as the key colour), so a
    // star's thin halo never darkens the Milky Way's glow under it.
    static constexpr int kFaintestChannel = 22;
    static constexpr keslColor kTransparentColor = 0x000000FFu;

    cRealSkyPalette();
    cRealSkyPalette(const cRealSkyPalette&) = delete;
    cRealSkyPalette& operator=(const cRealSkyPalette&) = delete;

    // The level of a magnitude, in 0..kLevels-1 (brighter than the top level is the top level).
    static float levelOf(float magnitude);
    static int colourClassOfBv(float bv);
    static int colourClassOfPlanet(int planet) { return kStarColourClasses + planet; }
    // The colour of light of a B-V index: blue-white through white to orange.
    static keslColor colourOfBv(float bv);

    keslImage& image(int colourClass, int level) { return *m_images[index(colourClass, level)]; }
    // The same picture as pixels, the left-out ones black, for lightening the sky with it.
    keslPixelView pixelsOf(int colourClass, int level) {
        const int side = 2 * radius(level) + 1;
        return {&m_pixels[m_pixelStarts[index(colourClass, level)]], side, side};
    }
    // Half the image's side: the image's centre is (radius, radius).
    int radius(int level) const { return m_radii[static_cast<size_t>(level)]; }

private:
    static size_t index(int colourClass, int level) { return static_cast<size_t>(colourClass * kLevels + level); }
    void build(int colourClass, int level, keslColor colour);

    std::vector<std::unique_ptr<keslImage>> m_images;
    std::vector<keslPixel> m_pixels;
    std::vector<size_t> m_pixelStarts;  // by index
    std::array<int, kLevels> m_radii{};
};
