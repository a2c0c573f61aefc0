#include "world/real_sky_moon.h"

#include "astro/astro_time.h"

#include <cmath>

namespace {
constexpr float kLitOnRightDeg = 270.0f;
constexpr float kLitOnLeftDeg = 90.0f;

float angleBetween(float a, float b) {
    float d = std::fmod(std::fabs(a - b), 360.0f);
    return d > 180.0f ? 360.0f - d : d;
}
}  // namespace

void cMoonTurner::keep(keslImage& image, bool litOnRight) {
    m_size = std::min(image.getWidth(), image.getHeight());
    m_lit.resize(static_cast<size_t>(m_size) * static_cast<size_t>(m_size));
    for (int y = 0; y < m_size; ++y) {
        for (int x = 0; x < m_size; ++x) m_lit[static_cast<size_t>(y) * m_size + x] = image.getPixel(x, y);
    }
    m_key = image.hasTransparentColor() ? image.getTransparentColor() : image.getPixel(0, 0);
    m_litDeg = litOnRight ? kLitOnRightDeg : kLitOnLeftDeg;
    m_turned = false;
}

bool cMoonTurner::turn(keslImage& image, float brightLimbDeg, const sMoonShadow& shadow) {
    if (m_size == 0) return false;
    const float wanted = brightLimbDeg - m_litDeg;
    if (m_turned && angleBetween(wanted, m_turnedDeg) < kTurnStepDeg && !shadowMoved(shadow, m_shadow)) return false;
    m_turned = true;
    m_turnedDeg = wanted;
    m_shadow = shadow;
    const float perRadius = 2.0f / static_cast<float>(m_size);
    const float c = std::cos(wanted * kDegToRadF);
    const float s = std::sin(wanted * kDegToRadF);
    const float centre = 0.5f * static_cast<float>(m_size - 1);
    // Each pixel takes the kept pixel that the turn brings there (y runs down the screen).
    for (int y = 0; y < m_size; ++y) {
        const float dy = static_cast<float>(y) - centre;
        for (int x = 0; x < m_size; ++x) {
            const float dx = static_cast<float>(x) - centre;
            const int sx = static_cast<int>(std::lround(centre + dx * c - dy * s));
            const int sy = static_cast<int>(std::lround(centre + dx * s + dy * c));
            const bool inside = sx >= 0 && sy >= 0 && sx < m_size && sy < m_size;
            const keslColor lit = inside ? m_lit[static_cast<size_t>(sy) * m_size + sx] : m_key;
            // The shadow falls on the sky's view of the disc, after the turn.
            image.setPixel(x, y, lit == m_key ? lit : shadowed(lit, shadow, dx * perRadius, dy * perRadius));
        }
    }
    return true;
}

sMoonOnView placeMoon(const sMoonPath& path, float along) {
    const sMoonOnView& start = path.start;
    const sMoonOnView& end = path.end;
    // Rising, setting or crossing the view's edge within the minute: it stands as at the nearer end.
    if (!start.onView || !end.onView) return along < 0.5f ? start : end;
    sMoonOnView moon;
    moon.onView = true;
    moon.x = start.x + along * (end.x - start.x);
    moon.y = start.y + along * (end.y - start.y);
    const float turn = static_cast<float>(normalizedDegrees(end.brightLimbDeg - start.brightLimbDeg + 180.0)) - 180.0f;
    moon.brightLimbDeg = static_cast<float>(normalizedDegrees(start.brightLimbDeg + along * turn));
    // The shadow creeps across the disc within the minute rather than jumping once a minute.
    moon.eclipse = along < 0.5f ? start.eclipse : end.eclipse;
    moon.eclipse.shadowDistance = start.eclipse.shadowDistance + along * (end.eclipse.shadowDistance - start.eclipse.shadowDistance);
    return moon;
}
