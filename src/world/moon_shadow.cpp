#include "world/moon_shadow.h"

#include "astro/astro_time.h"

#include <algorithm>
#include <cmath>

namespace {

// The umbra's colour on a grey moon: dark copper at its edge, darker deeper in.
constexpr float kCopperEdge[3] = {0.46f, 0.19f, 0.09f};
constexpr float kCopperDeepest = 0.45f;  // of the edge's colour, at the centre
// The copper reaches a little way into the penumbra, where the bent light still outshines the sun's sliver.
constexpr float kCopperReach = 0.25f;  // of the penumbra's width
constexpr float kDisplayGamma = 1.0f / 2.2f;
// A shadow this much (in the moon's radii) further on is painted anew: about a minute of the eclipse.
constexpr float kRepaintShift = 0.02f;

}  // namespace

sMoonShadow moonShadowOf(const sMoonOnView& moon) {
    sMoonShadow shadow;
    shadow.eclipse = moon.eclipse;
    shadow.on = moon.eclipse.state != eEclipseState::none;
    if (!shadow.on) return shadow;
    // The bright limb faces the sun; the antisolar point, and the shadow, lie the other way.
    const float away = (moon.brightLimbDeg + 180.0f) * kDegToRadF;
    const float distance = static_cast<float>(moon.eclipse.shadowDistance);
    shadow.x = -std::sin(away) * distance;
    shadow.y = -std::cos(away) * distance;
    return shadow;
}

bool shadowMoved(const sMoonShadow& a, const sMoonShadow& b) {
    if (a.on != b.on) return true;
    if (!a.on) return false;
    return std::hypot(a.x - b.x, a.y - b.y) >= kRepaintShift ||
           std::fabs(a.eclipse.umbraRadius - b.eclipse.umbraRadius) >= kRepaintShift;
}

keslColor shadowed(keslColor pixel, const sMoonShadow& shadow, float x, float y) {
    if (!shadow.on) return pixel;
    const sLunarEclipse& e = shadow.eclipse;
    const double distance = std::hypot(shadow.x - x, shadow.y - y);
    if (distance >= e.penumbraRadius) return pixel;
    const float grey = static_cast<float>(std::pow(shadowLightAt(e, distance), kDisplayGamma));
    float copper = 0.0f;  // how much of the umbra's colour
    if (distance < e.umbraRadius) {
        const float depth = static_cast<float>(1.0 - distance / e.umbraRadius);
        copper = 1.0f - (1.0f - kCopperDeepest) * depth;
    } else {
        const float across = static_cast<float>((distance - e.umbraRadius) / (e.penumbraRadius - e.umbraRadius));
        copper = std::max(0.0f, 1.0f - across / kCopperReach);
    }
    keslColor out = pixel & 0xFFu;
    for (int c = 0; c < 3; ++c) {
        const int shift = 24 - 8 * c;
        const float factor = std::max(grey, kCopperEdge[c] * copper);
        const float value = static_cast<float>((pixel >> shift) & 0xFFu) * factor;
        out |= static_cast<keslColor>(std::clamp(static_cast<int>(value + 0.5f), 0, 255)) << shift;
    }
    return out;
}
