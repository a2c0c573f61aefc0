// The Milky Way's brightness over the whole sky, as a map in right ascension
// and declination (J2000) made once from the catalogue's nested band
// outlines: each band adds a step, and a blur of a degree or two turns the
// steps into a glow. Columns are filled between the crossings of the outlines, so the two
// outlines that circle the poles bound the band like any closed one.
#pragma once

#include "astro/star_catalogue.h"

#include <vector>

class cMilkyWayMap {
public:
    static constexpr int kColumns = 720;  // half a degree each
    static constexpr int kRows = 360;
    static constexpr int kLevels = 5;

    explicit cMilkyWayMap(const sStarCatalogue& catalogue = builtInStarCatalogue());

    // Brightness 0..1 (the brightest band) at a J2000 direction, interpolated between cells.
    float brightnessAt(double raDeg, double decDeg) const;
    // Cell value 0..1 after the blur.
    float cell(int column, int row) const { return m_cells[static_cast<size_t>(row * kColumns + column)]; }

private:
    void fillLevel(const sStarCatalogue& catalogue, int level, std::vector<float>& crossings);
    void blur();

    std::vector<float> m_cells;
};
