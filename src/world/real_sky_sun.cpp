#include "world/real_sky_sun.h"

#include "platform/window.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSunSemidiameterRad = 0.004654;  // 16 arcminutes
// The disc is never smaller than this, so a small window still shows a sun.
constexpr int kSmallestDiscRadius = 3;
// The glow reaches this share of the view's height from the centre.
constexpr double kGlowShareOfHeight = 0.04;
constexpr float kGlowFalloff = 3.2f;  // e-foldings of the glow's light across its reach
constexpr float kGlowPeak = 0.85f;
// Below this altitude the sun's light crosses so much air that it reddens; the picture follows in steps of a degree.
constexpr double kReddeningAltDeg = 12.0;
constexpr double kRepaintStepDeg = 1.0;

struct sRgb {
    float r, g, b;
};

// White high up, yellow lower, orange-red at the horizon.
sRgb colourAt(double apparentAltDeg) {
    const float low = static_cast<float>(std::clamp(1.0 - apparentAltDeg / kReddeningAltDeg, 0.0, 1.0));
    return {255.0f, 250.0f - 110.0f * low, 235.0f - 175.0f * low};
}

keslPixel pixelOf(const sRgb& c, float share) {
    auto channel = [&](float v) { return static_cast<keslPixel>(std::lround(std::clamp(v * share, 0.0f, 255.0f))); };
    return (channel(c.r) << 16) | (channel(c.g) << 8) | channel(c.b);
}

}  // namespace

cRealSkySun::cRealSkySun(int viewHeight, double pixelsPerRadian)
    : m_discRadius(std::max(kSmallestDiscRadius, static_cast<int>(std::lround(kSunSemidiameterRad * pixelsPerRadian)))),
      m_glowRadius(std::max(m_discRadius * 3, static_cast<int>(std::lround(kGlowShareOfHeight * viewHeight)))) {
    const size_t side = static_cast<size_t>(2 * m_glowRadius + 1);
    m_pixels.assign(side * side, 0);
    paint(90.0);
}

void cRealSkySun::paint(double apparentAltDeg) {
    m_paintedAltDeg = apparentAltDeg;
    const sRgb colour = colourAt(apparentAltDeg);
    const int side = 2 * m_glowRadius + 1;
    const float reach = static_cast<float>(m_glowRadius - m_discRadius);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const float distance = std::hypot(static_cast<float>(x - m_glowRadius), static_cast<float>(y - m_glowRadius));
            // Inside the disc full light, its edge softened over a pixel; outside it the glow.
            const float edge = std::clamp(static_cast<float>(m_discRadius) + 0.5f - distance, 0.0f, 1.0f);
            const float out = std::max(0.0f, distance - static_cast<float>(m_discRadius)) / reach;
            const float glow = out >= 1.0f ? 0.0f : kGlowPeak * std::exp(-kGlowFalloff * out) * (1.0f - out);
            m_pixels[static_cast<size_t>(y) * side + x] = pixelOf(colour, std::max(edge, glow));
        }
    }
}

bool cRealSkySun::place(bool shown, int x, int y, double apparentAltDeg) {
    bool changed = shown != m_shown || (shown && (x != m_x || y != m_y));
    m_shown = shown;
    m_x = x;
    m_y = y;
    if (!shown) return changed;
    const bool colourMoves = apparentAltDeg < kReddeningAltDeg || m_paintedAltDeg < kReddeningAltDeg;
    if (colourMoves && std::fabs(apparentAltDeg - m_paintedAltDeg) >= kRepaintStepDeg) {
        paint(apparentAltDeg);
        changed = true;
    }
    return changed;
}

keslRect<int> cRealSkySun::boxAt(int x, int y) const {
    return keslRect<int>(y - m_glowRadius, x - m_glowRadius, 2 * m_glowRadius + 1, 2 * m_glowRadius + 1);
}

void cRealSkySun::draw(keslWindow& window) const {
    if (!m_shown) return;
    const int side = 2 * m_glowRadius + 1;
    // Both backends draw into memory they hold; the sun only ever lightens the sky.
    window.lightenPixels(m_x - m_glowRadius, m_y - m_glowRadius,
                         keslPixelView{const_cast<keslPixel*>(m_pixels.data()), side, side});
}
