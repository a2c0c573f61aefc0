// The colour of the sky by day and in twilight, for where the sun stands:
// black at night; in the twilights first a deep blue overhead, brighter and
// warmer low toward the sun's side; by day blue, lighter toward the horizon,
// with a bright aureole round the sun. The user's background stays the base
// at night and fades as the sky brightens; the Milky Way and the lines fade
// with it. Between a few chosen altitudes of the sun every colour runs
// straight, so dusk deepens smoothly minute by minute.
#pragma once

#include "astro/sky_light.h"

#include <cstdint>

class cRealSkyDaylight {
public:
    struct sRgb {
        float r = 0.0f, g = 0.0f, b = 0.0f;  // 0..255, added over the faded base
    };

    // The sun's true altitude and its unit (east, north, up) direction.
    void setSun(double sunAltDeg, float east, float north, float up);
    // Night: nothing is added and everything of the night stays as it is.
    bool dark() const { return m_dark; }
    // What is left of the user's background, the Milky Way and the constellation lines.
    float baseShare() const { return m_baseShare; }
    float glowShare() const { return m_glowShare; }
    float lineShare() const { return m_lineShare; }
    // The colour the sky adds in a unit (east, north, up) direction above the horizon.
    sRgb colourAt(float east, float north, float up) const;

private:
    bool m_dark = true;
    float m_baseShare = 1.0f;
    float m_glowShare = 1.0f;
    float m_lineShare = 1.0f;
    sRgb m_zenith, m_horizon, m_sunward, m_aureole;
    float m_sunEast = 0.0f, m_sunNorth = 0.0f, m_sunUp = -1.0f;
    float m_sunAcross = 0.0f;  // the length of the sun's direction along the ground
};
