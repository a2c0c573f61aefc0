#include "astro/sky_projection.h"

#include <cmath>

namespace {
constexpr double kFacingNorthDeg = 0.0;
constexpr double kFacingSouthDeg = 180.0;
// 1 + cos(179.9 deg): nearer the antipode the plane runs off to infinity.
constexpr float kMinDenominator = 1.5e-6f;
}  // namespace

sSkyProjection makeSkyProjection(int width, int height, double latitudeDeg) {
    sSkyProjection p;
    p.width = width;
    p.height = height;
    p.facingAzimuthDeg = latitudeDeg >= 0.0 ? kFacingSouthDeg : kFacingNorthDeg;
    const double facing = p.facingAzimuthDeg * kDegToRad;
    p.forward = {std::sin(facing), std::cos(facing), 0.0};
    p.right = {std::sin(facing + kPi / 2), std::cos(facing + kPi / 2), 0.0};
    // Stereographic radius of the top edge: 2 tan(70/2 deg).
    p.scale = height / (2.0 * std::tan(kSkyViewTopAltitudeDeg * kDegToRad / 2.0));
    return p;
}

bool projectDirection(const sSkyProjection& p, float east, float north, float up, float& x, float& y) {
    const float along = east * static_cast<float>(p.forward.x) + north * static_cast<float>(p.forward.y);
    const float denominator = 1.0f + along;
    if (denominator < kMinDenominator) return false;
    const float k = 2.0f * static_cast<float>(p.scale) / denominator;
    const float across = east * static_cast<float>(p.right.x) + north * static_cast<float>(p.right.y);
    x = 0.5f * static_cast<float>(p.width) + k * across;
    y = static_cast<float>(p.height) - k * up;
    return true;
}

bool projectAltAz(const sSkyProjection& p, double altDeg, double azDeg, float& x, float& y) {
    const sVec3 d = unitVectorOf(90.0 - azDeg, altDeg);  // east = sin az, north = cos az
    return projectDirection(p, static_cast<float>(d.x), static_cast<float>(d.y), static_cast<float>(d.z), x, y);
}

bool isOnView(const sSkyProjection& p, float x, float y) {
    return x >= 0.0f && y >= 0.0f && x < static_cast<float>(p.width) && y < static_cast<float>(p.height);
}
