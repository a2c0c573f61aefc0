// The brightest deep-sky objects as soft patches of the real sky's layer,
// faint and still like the Milky Way's glow: each an ellipse of its size and
// slant, its centre where a star at its J2000 place would stand, brightest
// there and nothing at its edge. How bright a patch is follows the object's
// light spread over its size, in magnitudes as the eye judges them, so the
// Magellanic clouds, the Pleiades and the Orion nebula glow a little
// brighter than the Milky Way's brightest band and a small cluster of the
// sixth magnitude is a smudge one barely sees. Galaxies are a warm grey,
// clusters a bluish white, bright nebulae faintly red, reflection nebulae
// blue and planetary ones teal. The patches fade with the glow, as the sky
// brightens and toward the horizon's haze.
#pragma once

#include "astro/deep_sky_positions.h"
#include "astro/sky_projection.h"
#include "world/real_sky_layer.h"

#include <vector>

class cRealSkyPatches {
public:
    // The drawn edge, in the catalogue's radii: the fall-off leaves the catalogue's size visibly lit.
    static constexpr float kEdgePerRadius = 1.4f;
    // No edge lies nearer the centre than this, so the smallest objects still show.
    static constexpr float kSmallestEdgePixels = 3.5f;

    explicit cRealSkyPatches(const sDeepSkyCatalogue& catalogue = builtInDeepSkyCatalogue());

    // Places every object for the frame and replaces patches with those on
    // the view, their light by share (1 at night, 0 where the glow is gone).
    void collect(const sSkyProjection& projection, const sSkyFrame& frame, float share,
                 std::vector<cRealSkyLayer::sPatch>& patches);
    std::size_t count() const { return m_positions.count(); }

    // What an object's patch adds at its centre at night, per channel (0..255).
    struct sRgb {
        float red, green, blue;
    };
    static sRgb peakOf(const sDeepSkyObject& object);

private:
    cDeepSkyPositions m_positions;
    std::vector<sRgb> m_peaks;  // by catalogue index
};
