// The Milky Way's brightness over the whole sky, as a map in right ascension
// and declination (J2000) made once from the catalogue's nested band
// outlines: each band adds a step, and a blur of a degree or two turns the
// steps into a glow. Columns are filled between the crossings of the outlines, so the two
// outlines that circle the poles bound the band like any closed one.
// cMilkyWayGlowGrid looks the map up on a coarse grid of a view's pixels,
// for the real sky to smooth between.
#pragma once

#include "astro/sky_frame.h"
#include "astro/sky_projection.h"
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

// The Milky Way on a view, looked up every kStep pixels (under a degree) and
// smoothed between by whoever draws it. Where each grid point looks is fixed,
// as the view is; the glow fades into the haze over the lowest degrees and is
// none below the horizon.
class cMilkyWayGlowGrid {
public:
    static constexpr int kStep = 16;
    static constexpr double kHorizonFadeDeg = 8.0;

    explicit cMilkyWayGlowGrid(const sSkyProjection& projection);

    // The map's brightness at every grid point for the sky turned as j2000ToHorizon says.
    void render(const cMilkyWayMap& map, const sMat3& j2000ToHorizon);
    // Row by row, columns() a row.
    const std::vector<float>& glow() const { return m_glow; }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }

    // Where each grid point looks, row by row.
    struct sGlowPoint {
        float east, north, up;
        float fade;  // toward the haze of the horizon; 0 below it
    };
    const std::vector<sGlowPoint>& points() const { return m_points; }

private:
    int m_columns = 0;
    int m_rows = 0;
    std::vector<sGlowPoint> m_points;
    std::vector<float> m_glow;
};
