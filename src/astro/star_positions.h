// Where every catalogue star stands for a sky frame. The J2000 directions are
// turned into unit vectors once; each frame is then one matrix product per
// star plus the air's lift, looked up in a table by the sine of the altitude,
// into storage reserved at construction, so a frame allocates nothing.
#pragma once

#include "astro/sky_frame.h"
#include "astro/star_catalogue.h"

#include <cstdint>
#include <vector>

struct sStarPlace {
    // Apparent unit direction (east, north, up; refraction included), for projecting without trigonometry.
    float east, north, up;

    // Worked out when asked, as few ask: the altitude (apparent), and the
    // azimuth from north through east, 0..360.
    float altitudeDeg() const;
    float azimuthDeg() const;
};

class cRefractionLift;

// Where any fixed J2000 point (a constellation's name, a radiant) stands in
// the frame, found as a catalogue star's place is: aberration, the turn to
// the horizon, and the air's lift.
sStarPlace apparentPlaceOf(const sSkyFrame& frame, double raDeg, double decDeg);

class cStarPositions {
public:
    explicit cStarPositions(const sStarCatalogue& catalogue = builtInStarCatalogue());

    void compute(const sSkyFrame& frame);
    // Only the listed stars (catalogue indices); the others keep their last places.
    void compute(const sSkyFrame& frame, const std::vector<std::uint32_t>& only);

    // In catalogue order (brightest first).
    const std::vector<sStarPlace>& places() const { return m_places; }
    const sStarCatalogue& catalogue() const { return m_catalogue; }

private:
    struct sUnit {
        float x, y, z;
    };
    // The frame's rotation and aberration in single precision, as each star needs them.
    struct sTurn {
        float m[3][3];
        float ax, ay, az;
    };
    static sTurn turnOf(const sSkyFrame& frame);
    void place(std::size_t i, const sTurn& turn);

    const sStarCatalogue& m_catalogue;
    const cRefractionLift& m_lift;
    std::vector<sUnit> m_j2000;
    std::vector<sStarPlace> m_places;
};
