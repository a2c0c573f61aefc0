#include "astro/deep_sky_positions.h"

#include "astro/astro_time.h"

#include <cmath>

namespace {

std::vector<sCatalogueStar> pointsOf(const sDeepSkyCatalogue& catalogue) {
    std::vector<sCatalogueStar> points;
    points.reserve(3 * catalogue.count);
    for (std::size_t i = 0; i < catalogue.count; ++i) {
        const sDeepSkyObject& o = catalogue.objects[i];
        const double angle = o.hasPositionAngle() ? o.positionAngleDeg : 0.0;
        points.push_back({o.raDeg, o.decDeg, o.mag, 0.0f});
        for (const double toward : {angle, angle + 90.0}) {
            double ra = 0.0, dec = 0.0;
            offsetOnSky(o.raDeg, o.decDeg, toward, cDeepSkyPositions::kAxisStepDeg, ra, dec);
            points.push_back({static_cast<float>(ra), static_cast<float>(dec), o.mag, 0.0f});
        }
    }
    return points;
}

// A star table of nothing but the points: no names, figures or Milky Way.
sStarCatalogue tableOf(const std::vector<sCatalogueStar>& points) {
    sStarCatalogue table{};
    table.stars = points.data();
    table.starCount = points.size();
    return table;
}

}  // namespace

void offsetOnSky(double raDeg, double decDeg, double angleDeg, double distanceDeg, double& outRaDeg,
                 double& outDecDeg) {
    const double dec = decDeg * kDegToRad, angle = angleDeg * kDegToRad, distance = distanceDeg * kDegToRad;
    const double sinDec = std::sin(dec) * std::cos(distance) + std::cos(dec) * std::sin(distance) * std::cos(angle);
    const double to = std::asin(std::fmax(-1.0, std::fmin(1.0, sinDec)));
    const double dRa = std::atan2(std::sin(angle) * std::sin(distance) * std::cos(dec),
                                  std::cos(distance) - std::sin(dec) * sinDec);
    outRaDeg = normalizedDegrees(raDeg + dRa * kRadToDeg);
    outDecDeg = to * kRadToDeg;
}

cDeepSkyPositions::cDeepSkyPositions(const sDeepSkyCatalogue& catalogue)
    : m_catalogue(catalogue),
      m_points(pointsOf(catalogue)),
      m_table(tableOf(m_points)),
      m_places(m_table) {}

void cDeepSkyPositions::compute(const sSkyFrame& frame) { m_places.compute(frame); }
