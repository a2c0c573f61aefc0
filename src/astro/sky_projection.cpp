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

sVec3 directionOfPixel(const sSkyProjection& p, double x, double y) {
    const double a = (x - 0.5 * p.width) / (2.0 * p.scale);
    const double b = (p.height - y) / (2.0 * p.scale);
    const double rho2 = a * a + b * b;
    const double k = 1.0 / (1.0 + rho2);
    const sVec3 up{0.0, 0.0, 1.0};
    return k * ((1.0 - rho2) * p.forward + (2.0 * a) * p.right + (2.0 * b) * up);
}

double pixelsForTurn(const sSkyProjection& p, double degrees) {
    // A turn moves no point of the sky further than its angle, and the
    // stereographic view magnifies 1 + rho^2 times at rho from its centre
    // (the bottom edge's middle): the most at the top corners.
    const double a = 0.5 * p.width / (2.0 * p.scale);
    const double b = p.height / (2.0 * p.scale);
    return degrees * kDegToRad * p.scale * (1.0 + a * a + b * b);
}
