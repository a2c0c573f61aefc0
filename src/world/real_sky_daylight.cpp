#include "world/real_sky_daylight.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

using sRgb = cRealSkyDaylight::sRgb;

// The sky's colours at chosen altitudes of the sun.
struct sKey {
    float sunAltDeg;
    sRgb zenith, horizon, sunward, aureole;
    float baseShare, glowShare, lineShare;
};

constexpr sKey kKeys[] = {
    {-18.0f, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, 1.0f, 1.0f, 1.0f},
    {-15.0f, {1, 2, 6}, {2, 3, 8}, {5, 5, 12}, {0, 0, 0}, 0.9f, 0.5f, 0.9f},
    {-12.0f, {3, 6, 16}, {6, 8, 20}, {18, 14, 28}, {0, 0, 0}, 0.75f, 0.0f, 0.7f},
    {-9.0f, {7, 13, 34}, {10, 13, 32}, {55, 35, 45}, {4, 3, 2}, 0.55f, 0.0f, 0.5f},
    {-6.0f, {16, 30, 66}, {22, 28, 58}, {140, 75, 50}, {12, 8, 5}, 0.35f, 0.0f, 0.3f},
    {-3.0f, {30, 54, 108}, {45, 52, 95}, {215, 120, 60}, {30, 20, 10}, 0.15f, 0.0f, 0.12f},
    {-0.8f, {42, 76, 145}, {95, 105, 140}, {250, 160, 85}, {60, 45, 25}, 0.0f, 0.0f, 0.0f},
    {5.0f, {40, 92, 178}, {145, 175, 212}, {245, 205, 160}, {90, 80, 60}, 0.0f, 0.0f, 0.0f},
    {20.0f, {33, 98, 198}, {155, 190, 228}, {215, 225, 240}, {110, 105, 95}, 0.0f, 0.0f, 0.0f},
};
// How far the sunward colour reaches round the horizon and up the sky, and the aureole round the sun.
constexpr float kSunwardPower = 3.0f;
constexpr float kHorizonPower = 3.0f;
constexpr float kAureoleSharpness = 25.0f;

float mix(float a, float b, float t) { return a + (b - a) * t; }
sRgb mix(const sRgb& a, const sRgb& b, float t) { return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t)}; }

sKey between(const sKey& a, const sKey& b, float t) {
    return {mix(a.sunAltDeg, b.sunAltDeg, t), mix(a.zenith, b.zenith, t), mix(a.horizon, b.horizon, t),
            mix(a.sunward, b.sunward, t),     mix(a.aureole, b.aureole, t), mix(a.baseShare, b.baseShare, t),
            mix(a.glowShare, b.glowShare, t), mix(a.lineShare, b.lineShare, t)};
}

sKey keyAt(float sunAltDeg) {
    if (sunAltDeg <= kKeys[0].sunAltDeg) return kKeys[0];
    const sKey* last = std::prev(std::end(kKeys));
    if (sunAltDeg >= last->sunAltDeg) return *last;
    const sKey* above = std::upper_bound(std::begin(kKeys), std::end(kKeys), sunAltDeg,
                                         [](float alt, const sKey& key) { return alt < key.sunAltDeg; });
    const sKey* below = above - 1;
    return between(*below, *above, (sunAltDeg - below->sunAltDeg) / (above->sunAltDeg - below->sunAltDeg));
}

}  // namespace

void cRealSkyDaylight::setSun(double sunAltDeg, float east, float north, float up) {
    const sKey key = keyAt(static_cast<float>(sunAltDeg));
    m_dark = sunAltDeg < kAstronomicalTwilightDeg;
    m_zenith = key.zenith;
    m_horizon = key.horizon;
    m_sunward = key.sunward;
    m_aureole = key.aureole;
    m_baseShare = key.baseShare;
    m_glowShare = key.glowShare;
    m_lineShare = key.lineShare;
    m_sunEast = east;
    m_sunNorth = north;
    m_sunUp = up;
    m_sunAcross = std::hypot(east, north);
}

cRealSkyDaylight::sRgb cRealSkyDaylight::colourAt(float east, float north, float up) const {
    if (m_dark) return {};
    const float low = std::pow(1.0f - std::clamp(up, 0.0f, 1.0f), kHorizonPower);
    sRgb colour = mix(m_zenith, m_horizon, low);
    // Toward the sun's side of the horizon, by the azimuths' difference.
    const float across = std::hypot(east, north);
    if (across > 1e-6f && m_sunAcross > 1e-6f) {
        const float facing = (east * m_sunEast + north * m_sunNorth) / (across * m_sunAcross);
        colour = mix(colour, m_sunward, std::pow(0.5f * (1.0f + facing), kSunwardPower) * low);
    }
    const float nearSun = east * m_sunEast + north * m_sunNorth + up * m_sunUp;
    const float aureole = std::exp(kAureoleSharpness * (nearSun - 1.0f));
    return {std::min(255.0f, colour.r + m_aureole.r * aureole), std::min(255.0f, colour.g + m_aureole.g * aureole),
            std::min(255.0f, colour.b + m_aureole.b * aureole)};
}
