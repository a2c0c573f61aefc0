// Where the real sky's stars and planets go over a minute, as pure geometry:
// each is placed exactly at a whole minute and at the next, and in between
// moves along the straight path between the two, which over a minute's
// quarter degree strays by no more than a hundredth of a pixel. Only the
// stars on or near the view have paths (none can cross the margin within the
// minute). Along its path a point is dimmed and made restless by the air it
// shines through, the more the lower it stands. The places come in already
// worked out (the stars' from cStarPositions, the planets' as sBodyPosition).
#pragma once

#include "astro/sky_projection.h"
#include "astro/solar_system.h"
#include "astro/star_catalogue.h"
#include "astro/star_positions.h"
#include "world/real_sky_point.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <ctime>
#include <vector>

// The planets the real sky shows, in the palette's order.
inline constexpr eSolarBody kRealSkyPlanets[kRealSkyPlanetCount] = {
    eSolarBody::mercury, eSolarBody::venus,  eSolarBody::mars,   eSolarBody::jupiter,
    eSolarBody::saturn,  eSolarBody::uranus, eSolarBody::neptune};

// A point's way over a minute, in window pixels and in the sine of its
// altitude; the point holds what stays: its colour and its twinkle's phases and rates.
struct sRealSkyPath {
    sRealSkyPoint point;
    float magnitude;  // before the air dims it
    float x0, y0, up0;
    float dx, dy, dup;
};

// The air a light crosses, from the sine of its altitude (as a star's place holds it, "up"); capped for the last degrees.
float realSkyAirmassAt(float sinAlt);
// Where the path has its point a share of the way along, with its level and
// the airmass there; false when below the horizon or off the view.
bool placeAlong(const sSkyProjection& projection, const sRealSkyPath& path, float along, sRealSkyPoint& point,
                float& airmass);

class cRealSkyPaths {
public:
    // The paths run this long; all is placed exactly again after.
    static constexpr std::time_t kPathSeconds = 60;
    // Twinkling in magnitudes: a steady sky overhead, restless low down, where
    // the light crosses more air.
    static constexpr float kTwinkleOverhead = 0.03f;
    static constexpr float kTwinklePerAirmass = 0.06f;
    static constexpr float kMaxTwinkle = 0.7f;
    // The air also dims what is low: magnitudes per airmass above one.
    static constexpr float kExtinctionPerAirmass = 0.2f;
    static constexpr float kMaxAirmass = 12.0f;

    cRealSkyPaths(const sSkyProjection& projection, size_t starCapacity);

    // How much fainter the sky's light makes every star and planet, in
    // magnitudes, for the paths started next; those it takes below the
    // faintest level get no path at all. None at night.
    void setSkyDimming(float magnitudes) { m_dimming = std::max(0.0f, magnitudes); }

    // The minute's start: from every star's place then, the stars on or near
    // the view start their paths (in catalogue order).
    void startStars(const sStarCatalogue& catalogue, const std::vector<sStarPlace>& places);
    // Catalogue indices of the stars with paths: their places at the end are all endStars needs.
    const std::vector<std::uint32_t>& nearView() const { return m_nearView; }
    // The minute's end: the places of (at least) the stars near the view.
    void endStars(const std::vector<sStarPlace>& places);
    // A planet's path between its places at the minute's start and end.
    void placePlanet(int planet, const sBodyPosition& start, const sBodyPosition& end);

    // The stars (then planets) on the view a share of the way along the
    // minute, in catalogue (planet) order, with their steady level and twinkle's amplitude.
    void placeStars(float along, std::vector<sRealSkyPoint>& stars) const;
    void placePlanets(float along, std::vector<sRealSkyPoint>& planets) const;

    const std::vector<sRealSkyPath>& starPaths() const { return m_starPaths; }
    const sRealSkyPath& planetPath(int planet) const { return m_planetPaths[static_cast<size_t>(planet)]; }

private:
    // Too faint for the sky's light: no path.
    bool washedOut(float magnitude) const;

    sSkyProjection m_projection;
    float m_dimming = 0.0f;
    std::vector<std::uint32_t> m_nearView;
    std::vector<sRealSkyPath> m_starPaths;  // in catalogue order
    std::array<sRealSkyPath, kRealSkyPlanetCount> m_planetPaths{};
};
