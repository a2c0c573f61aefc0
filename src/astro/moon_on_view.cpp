#include "astro/moon_on_view.h"

#include "astro/astro_time.h"
#include "astro/sky_snapshot.h"
#include "astro/solar_system.h"

#include <cmath>

namespace {

// How much higher the point is that shows where "up" lies at the moon.
constexpr double kUpProbeDeg = 0.5;

sMoonOnView placeMoon(const sSkyProjection& projection, const sBodyPosition& moon, const sMoonLimb& limb) {
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
    at.brightLimbDeg = static_cast<float>(normalizedDegrees(limb.fromZenithDeg + upDeg));
    return at;
}

}  // namespace

sMoonOnView moonOnView(const sSkyProjection& projection, const sSkySnapshot& sky) {
    sMoonOnView at = placeMoon(projection, sky.moon(), sky.moonLimb);
    at.eclipse = sky.eclipse;
    return at;
}
