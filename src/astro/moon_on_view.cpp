#include "astro/moon_on_view.h"

#include "astro/astro_time.h"
#include "astro/solar_system.h"

#include <cmath>

namespace {

// How much higher the point is that shows where "up" lies at the moon.
constexpr double kUpProbeDeg = 0.5;

}  // namespace

sMoonOnView moonOnView(const sSkyProjection& projection, const sSkyFrame& frame) {
    const sBodyPosition moon = solarBodyPosition(eSolarBody::moon, frame);
    const sVec3 seen = unitVectorOf(90.0 - moon.horizontal.azDeg, moon.apparentAltDeg);
    sMoonOnView at;
    at.onView = moon.apparentAltDeg > 0.0 &&
                projectDirection(projection, static_cast<float>(seen.x), static_cast<float>(seen.y),
                                 static_cast<float>(seen.z), at.x, at.y) &&
                isOnView(projection, at.x, at.y);
    if (!at.onView) return at;
    float upX = at.x, upY = at.y;
    projectAltAz(projection, moon.apparentAltDeg + kUpProbeDeg, moon.horizontal.azDeg, upX, upY);
    const double upDeg = std::atan2(-(upY - at.y), upX - at.x) * kRadToDeg - 90.0;  // 0 when up is straight up
    const double limb = moonBrightLimb(moon, solarBodyPosition(eSolarBody::sun, frame), frame).fromZenithDeg;
    at.brightLimbDeg = static_cast<float>(normalizedDegrees(limb + upDeg));
    return at;
}
