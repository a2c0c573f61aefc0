#include "world/real_sky_patches.h"

#include "astro/astro_time.h"
#include "world/milky_way_map.h"

#include <algorithm>
#include <cmath>

namespace {

// A patch's brightness is set by p = m + 1.25 log10(area in square
// arcminutes): half the way from the total magnitude m to the surface
// brightness, as a big faint glow is easier to see than its surface
// brightness says. At kBrightestP or less a patch is as bright as they come;
// each magnitude of p fainter takes it kDimmingPerMagnitude magnitudes down,
// to no less than kFaintestShare.
constexpr double kBrightestP = 8.5;
constexpr double kDimmingPerMagnitude = 1.5;
constexpr double kFaintestShare = 0.08;
// A smaller object's light counts as spread over a disc a degree across:
// shrunk to a few pixels it would otherwise outshine what the eye sees of it.
constexpr double kSmallestAreaArcmin2 = kPi / 4.0 * 60.0 * 60.0;

// The brightest patch's colour per kind, added at its centre: the Milky Way's
// brightest glow and a little more, tinted.
constexpr cRealSkyPatches::sRgb kGalaxyColour = {55.0f, 52.0f, 48.0f};
constexpr cRealSkyPatches::sRgb kClusterColour = {45.0f, 50.0f, 60.0f};
constexpr cRealSkyPatches::sRgb kBrightNebulaColour = {60.0f, 45.0f, 50.0f};
constexpr cRealSkyPatches::sRgb kReflectionNebulaColour = {42.0f, 50.0f, 63.0f};
constexpr cRealSkyPatches::sRgb kPlanetaryNebulaColour = {38.0f, 58.0f, 59.0f};

cRealSkyPatches::sRgb colourOf(eDeepSkyKind kind) {
    switch (kind) {
        case eDeepSkyKind::galaxy: return kGalaxyColour;
        case eDeepSkyKind::openCluster:
        case eDeepSkyKind::globularCluster: return kClusterColour;
        case eDeepSkyKind::reflectionNebula: return kReflectionNebulaColour;
        case eDeepSkyKind::planetaryNebula: return kPlanetaryNebulaColour;
        case eDeepSkyKind::brightNebula:
        case eDeepSkyKind::supernovaRemnant: return kBrightNebulaColour;
    }
    return kClusterColour;
}

// The drawn radii of an object, in degrees: its own axes, or a circle of the same area when the data gives no slant.
void edgeRadiiDeg(const sDeepSkyObject& object, float& major, float& minor) {
    const float toEdge = cRealSkyPatches::kEdgePerRadius / 2.0f / 60.0f;
    if (object.hasPositionAngle()) {
        major = object.majorArcmin * toEdge;
        minor = object.minorArcmin * toEdge;
        return;
    }
    major = minor = std::sqrt(object.majorArcmin * object.minorArcmin) * toEdge;
}

// The pixel step from a centre toward a point kAxisStepDeg off, stretched to radiusDeg, and at least the smallest edge.
bool axisOnView(const sSkyProjection& projection, float x, float y, const sStarPlace& toward, float radiusDeg,
                float& ax, float& ay) {
    float tx = 0.0f, ty = 0.0f;
    if (!projectDirection(projection, toward.east, toward.north, toward.up, tx, ty)) return false;
    const float stretch = radiusDeg / static_cast<float>(cDeepSkyPositions::kAxisStepDeg);
    ax = (tx - x) * stretch;
    ay = (ty - y) * stretch;
    const float length = std::hypot(ax, ay);
    if (length <= 0.0f) return false;
    if (length < cRealSkyPatches::kSmallestEdgePixels) {
        ax *= cRealSkyPatches::kSmallestEdgePixels / length;
        ay *= cRealSkyPatches::kSmallestEdgePixels / length;
    }
    return true;
}

}  // namespace

cRealSkyPatches::sRgb cRealSkyPatches::peakOf(const sDeepSkyObject& object) {
    const double area = std::max(kSmallestAreaArcmin2, kPi / 4.0 * object.majorArcmin * object.minorArcmin);
    const double p = object.mag + 1.25 * std::log10(area);
    const double share = std::clamp(std::pow(10.0, -0.4 * kDimmingPerMagnitude * (p - kBrightestP)), kFaintestShare, 1.0);
    const sRgb colour = colourOf(object.kind);
    const float s = static_cast<float>(share);
    return {colour.red * s, colour.green * s, colour.blue * s};
}

cRealSkyPatches::cRealSkyPatches(const sDeepSkyCatalogue& catalogue) : m_positions(catalogue) {
    m_peaks.reserve(catalogue.count);
    for (std::size_t i = 0; i < catalogue.count; ++i) m_peaks.push_back(peakOf(catalogue.objects[i]));
}

void cRealSkyPatches::collect(const sSkyProjection& projection, const sSkyFrame& frame, float share,
                              std::vector<cRealSkyLayer::sPatch>& patches) {
    patches.clear();
    if (share <= 0.0f) return;
    m_positions.compute(frame);
    const sDeepSkyCatalogue& catalogue = m_positions.catalogue();
    const float fadeDeg = static_cast<float>(cMilkyWayGlowGrid::kHorizonFadeDeg);
    for (std::size_t i = 0; i < catalogue.count; ++i) {
        const sStarPlace& centre = m_positions.centre(i);
        // Toward the horizon the patch fades into the haze as the glow does, by its centre's height.
        const float fade = std::min(1.0f, centre.altitudeDeg() / fadeDeg) * share;
        if (fade <= 0.0f) continue;
        float x = 0.0f, y = 0.0f;
        if (!projectDirection(projection, centre.east, centre.north, centre.up, x, y)) continue;
        float majorDeg = 0.0f, minorDeg = 0.0f;
        edgeRadiiDeg(catalogue.objects[i], majorDeg, minorDeg);
        cRealSkyLayer::sPatch patch{};
        patch.x = x;
        patch.y = y;
        if (!axisOnView(projection, x, y, m_positions.alongMajor(i), majorDeg, patch.ux, patch.uy) ||
            !axisOnView(projection, x, y, m_positions.alongMinor(i), minorDeg, patch.vx, patch.vy)) {
            continue;
        }
        // Wholly off the view, it adds nothing there.
        const float halfWidth = std::hypot(patch.ux, patch.vx), halfHeight = std::hypot(patch.uy, patch.vy);
        if (x + halfWidth < 0.0f || x - halfWidth >= static_cast<float>(projection.width) || y + halfHeight < 0.0f ||
            y - halfHeight >= static_cast<float>(projection.height)) {
            continue;
        }
        const sRgb& peak = m_peaks[i];
        patch.red = peak.red * fade;
        patch.green = peak.green * fade;
        patch.blue = peak.blue * fade;
        patches.push_back(patch);
    }
}
