#include "world/real_sky_paths.h"

#include "world/real_sky_twinkle.h"

#include <algorithm>
#include <cmath>

namespace {
// Stars this far below the horizon cannot rise into view before all are placed again.
constexpr float kNearViewHeight = -0.0174524f;  // the sine of -1 deg
// The sky turns 360 degrees in a sidereal day.
constexpr double kTurnDegPerSecond = 360.0 / 86164.1;
}  // namespace

float realSkyAirmassAt(float sinAlt) {
    static const float kLowest = std::sin(0.5f * static_cast<float>(kDegToRad));
    return std::min(cRealSkyPaths::kMaxAirmass, 1.0f / std::max(sinAlt, kLowest));
}

bool placeAlong(const sSkyProjection& projection, const sRealSkyPath& path, float along, sRealSkyPoint& point,
                float& airmass) {
    const float up = path.up0 + along * path.dup;
    if (up <= 0.0f) return false;
    const float x = path.x0 + along * path.dx, y = path.y0 + along * path.dy;
    if (!isOnView(projection, x, y)) return false;
    airmass = realSkyAirmassAt(up);
    point.x = static_cast<std::int16_t>(std::lround(x));
    point.y = static_cast<std::int16_t>(std::lround(y));
    point.level = cRealSkyPalette::levelOf(path.magnitude + cRealSkyPaths::kExtinctionPerAirmass * (airmass - 1.0f));
    return true;
}

cRealSkyPaths::cRealSkyPaths(const sSkyProjection& projection, size_t starCapacity) : m_projection(projection) {
    m_nearView.reserve(starCapacity);
    m_starPaths.reserve(starCapacity);
}

bool cRealSkyPaths::washedOut(float magnitude) const {
    return m_dimming > 0.0f && magnitude + m_dimming > cRealSkyPalette::kFaintestMagnitude;
}

void cRealSkyPaths::startStars(const sStarCatalogue& catalogue, const std::vector<sStarPlace>& places) {
    // What a star may travel within the minute, and its own radius.
    const float margin = static_cast<float>(2.0 * pixelsForTurn(m_projection, kTurnDegPerSecond * kPathSeconds)) + 4.0f;
    const int width = m_projection.width, height = m_projection.height;
    m_nearView.clear();
    m_starPaths.clear();
    for (size_t i = 0; i < places.size(); ++i) {
        const sStarPlace& place = places[i];
        if (place.up <= kNearViewHeight) continue;
        // Brightest first: once one is lost in the sky's light, all after it are.
        if (washedOut(catalogue.stars[i].mag)) break;
        float x = 0.0f, y = 0.0f;
        if (!projectDirection(m_projection, place.east, place.north, place.up, x, y)) continue;
        if (x < -margin || y < -margin || x > width + margin || y > height + margin) continue;
        m_nearView.push_back(static_cast<std::uint32_t>(i));
        const sCatalogueStar& star = catalogue.stars[i];
        sRealSkyPoint point{0, 0, static_cast<std::uint8_t>(cRealSkyPalette::colourClassOfBv(star.bv)), 0.0f, 0.0f,
                            static_cast<std::uint16_t>(i), 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
        cRealSkyTwinkle::seed(point, i);
        m_starPaths.push_back({point, star.mag + m_dimming, x, y, place.up, 0.0f, 0.0f, 0.0f});
    }
}

void cRealSkyPaths::endStars(const std::vector<sStarPlace>& places) {
    for (sRealSkyPath& path : m_starPaths) {
        const sStarPlace& place = places[path.point.star];
        float x = 0.0f, y = 0.0f;
        if (!projectDirection(m_projection, place.east, place.north, place.up, x, y)) {
            // Turned away from the view within the minute: it stays off it.
            path.up0 = path.dup = -1.0f;
            continue;
        }
        path.dx = x - path.x0;
        path.dy = y - path.y0;
        path.dup = place.up - path.up0;
    }
}

void cRealSkyPaths::placePlanet(int planet, const sBodyPosition& start, const sBodyPosition& end) {
    sRealSkyPath& path = m_planetPaths[static_cast<size_t>(planet)];
    path.up0 = path.dup = -1.0f;
    path.magnitude = static_cast<float>(start.mag) + m_dimming;
    if (washedOut(static_cast<float>(start.mag))) return;
    float x[2] = {}, y[2] = {}, up[2] = {};
    const sBodyPosition* ends[2] = {&start, &end};
    for (int e = 0; e < 2; ++e) {
        // As the report places it: the direction lifted by the air.
        const sVec3 d = unitVectorOf(90.0 - ends[e]->horizontal.azDeg, ends[e]->apparentAltDeg);
        if (!projectDirection(m_projection, static_cast<float>(d.x), static_cast<float>(d.y), static_cast<float>(d.z),
                              x[e], y[e])) {
            return;
        }
        up[e] = static_cast<float>(d.z);
    }
    path.point = sRealSkyPoint{0, 0, static_cast<std::uint8_t>(cRealSkyPalette::colourClassOfPlanet(planet)), 0.0f, 0.0f,
                               static_cast<std::uint16_t>(planet), 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    path.x0 = x[0];
    path.y0 = y[0];
    path.up0 = up[0];
    path.dx = x[1] - x[0];
    path.dy = y[1] - y[0];
    path.dup = up[1] - up[0];
}

void cRealSkyPaths::placeStars(float along, std::vector<sRealSkyPoint>& stars) const {
    stars.clear();
    for (const sRealSkyPath& path : m_starPaths) {
        sRealSkyPoint point = path.point;
        float airmass = 1.0f;
        if (!placeAlong(m_projection, path, along, point, airmass)) continue;
        const float twinkle = std::min(kMaxTwinkle, kTwinkleOverhead + kTwinklePerAirmass * (airmass - 1.0f));
        point.twinkleLevels = twinkle / cRealSkyPalette::kMagnitudesPerLevel;
        stars.push_back(point);
    }
}

void cRealSkyPaths::placePlanets(float along, std::vector<sRealSkyPoint>& planets) const {
    planets.clear();
    for (const sRealSkyPath& path : m_planetPaths) {
        sRealSkyPoint point = path.point;
        float airmass = 1.0f;
        if (!placeAlong(m_projection, path, along, point, airmass)) continue;
        // A planet shines steadily: its twinkle's amplitude is none.
        point.shown = static_cast<std::uint8_t>(realSkyLevelIndex(point.level));
        planets.push_back(point);
    }
}
