// Where each deep-sky object stands for a sky frame, and how its axes lie
// there. Each object is three points for cStarPositions: its centre and a
// point a little way along each of its axes. So a centre is placed exactly
// as a star is (aberration, the air's lift), and projecting the three points
// gives an object's size and slant on a view, whatever the projection and
// the air do to them there. Storage is taken at construction; a frame
// allocates nothing.
#pragma once

#include "astro/deep_sky_catalogue.h"
#include "astro/star_catalogue.h"
#include "astro/star_positions.h"

#include <vector>

class cDeepSkyPositions {
public:
    // How far along each axis the second and third points lie.
    static constexpr double kAxisStepDeg = 0.25;

    explicit cDeepSkyPositions(const sDeepSkyCatalogue& catalogue = builtInDeepSkyCatalogue());
    // It lends its own points to the star positions it holds: not to be copied.
    cDeepSkyPositions(const cDeepSkyPositions&) = delete;
    cDeepSkyPositions& operator=(const cDeepSkyPositions&) = delete;

    void compute(const sSkyFrame& frame);

    const sDeepSkyCatalogue& catalogue() const { return m_catalogue; }
    std::size_t count() const { return m_catalogue.count; }
    const sStarPlace& centre(std::size_t i) const { return m_places.places()[3 * i]; }
    // kAxisStepDeg from the centre toward the position angle (north for a round object).
    const sStarPlace& alongMajor(std::size_t i) const { return m_places.places()[3 * i + 1]; }
    // kAxisStepDeg from the centre a right angle east of that.
    const sStarPlace& alongMinor(std::size_t i) const { return m_places.places()[3 * i + 2]; }

private:
    const sDeepSkyCatalogue m_catalogue;  // a view of a table that outlives it
    std::vector<sCatalogueStar> m_points;
    sStarCatalogue m_table;
    cStarPositions m_places;
};

// The J2000 place a given distance from (raDeg, decDeg) toward a position angle (from north through east).
void offsetOnSky(double raDeg, double decDeg, double angleDeg, double distanceDeg, double& outRaDeg, double& outDecDeg);
