#include "world/real_sky_palette.h"

#include <algorithm>
#include <cmath>

namespace {

// Light = 10^(-0.4 * gamma * (m - faintest)); gamma < 1 compresses flux so a
// thousandfold range of starlight spans a screen's few hundred steps.
constexpr float kFluxGamma = 0.62f;
// Peak of the faintest star's core, 0..1.
constexpr float kFaintestPeak = 0.18f;
// The core as a seeing disc and the lens's wide halo, in pixels.
constexpr float kCoreSigma = 0.6f;
constexpr float kHaloSigma = 2.2f;
constexpr float kHaloShare = 0.06f;
// How much of an overexposed core turns white.
constexpr float kWhitening = 0.5f;

// B-V to the colour of the light (blackbody hues as the eye sees stars).
struct BvColour {
    float bv;
    keslColor colour;
};
constexpr BvColour kBvColours[] = {
    {-0.33f, 0x9BB0FFFFu}, {0.0f, 0xCAD7FFFFu}, {0.3f, 0xF8F7FFFFu}, {0.6f, 0xFFF4EAFFu},
    {0.9f, 0xFFE5CFFFu},   {1.2f, 0xFFD9B2FFu}, {1.5f, 0xFFCC99FFu}, {2.0f, 0xFFB478FFu},
};
constexpr float kBvLow = -0.33f;
constexpr float kBvHigh = 2.0f;

// Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, as they look to the eye.
constexpr keslColor kPlanetColours[kRealSkyPlanetCount] = {
    0xE8DCCFFFu, 0xFFF8E6FFu, 0xFF9A66FFu, 0xFFEBD2FFu, 0xF5DDA8FFu, 0xC4EEF2FFu, 0x9CB8FFFFu,
};

int channel(keslColor c, int shift) { return static_cast<int>((c >> shift) & 0xFFu); }

keslColor mix(keslColor a, keslColor b, float t) {
    auto one = [&](int shift) {
        return static_cast<keslColor>(std::lround(channel(a, shift) + (channel(b, shift) - channel(a, shift)) * t));
    };
    return (one(24) << 24) | (one(16) << 16) | (one(8) << 8) | 0xFFu;
}

float lightOfLevel(int level) {
    const float magnitude = cRealSkyPalette::kFaintestMagnitude - static_cast<float>(level) * cRealSkyPalette::kMagnitudesPerLevel;
    return std::pow(10.0f, -0.4f * kFluxGamma * (magnitude - cRealSkyPalette::kFaintestMagnitude));
}

float intensityAt(float light, float r) {
    const float core = std::exp(-r * r / (2.0f * kCoreSigma * kCoreSigma));
    const float halo = kHaloShare * std::exp(-r * r / (2.0f * kHaloSigma * kHaloSigma));
    return kFaintestPeak * light * (core + halo);
}

keslColor pixelOf(keslColor colour, float intensity) {
    const float lit = std::min(1.0f, intensity);
    const float white = std::clamp((intensity - 1.0f) * kWhitening, 0.0f, 1.0f);
    auto one = [&](int shift) {
        const float c = static_cast<float>(channel(colour, shift)) * lit;
        return static_cast<keslColor>(std::lround(std::min(255.0f, c + (255.0f - c) * white)));
    };
    const keslColor r = one(24), g = one(16), b = one(8);
    if (static_cast<int>(std::max({r, g, b})) < cRealSkyPalette::kFaintestChannel) return cRealSkyPalette::kTransparentColor;
    return (r << 24) | (g << 16) | (b << 8) | 0xFFu;
}

}  // namespace

cRealSkyPalette::cRealSkyPalette() {
    for (int level = 0; level < kLevels; ++level) {
        const float light = lightOfLevel(level);
        int radius = 0;
        while (radius < kLargestRadius && pixelOf(0xFFFFFFFFu, intensityAt(light, static_cast<float>(radius + 1))) !=
                                              kTransparentColor) {
            ++radius;
        }
        m_radii[static_cast<size_t>(level)] = radius;
    }
    m_images.resize(static_cast<size_t>(kColourClasses * kLevels));
    m_pixelStarts.resize(m_images.size());
    size_t pixels = 0;
    for (int c = 0; c < kColourClasses; ++c) {
        for (int level = 0; level < kLevels; ++level) {
            m_pixelStarts[index(c, level)] = pixels;
            const size_t side = static_cast<size_t>(2 * m_radii[static_cast<size_t>(level)] + 1);
            pixels += side * side;
        }
    }
    m_pixels.assign(pixels, 0);
    for (int c = 0; c < kColourClasses; ++c) {
        const keslColor colour = c < kStarColourClasses
                                     ? colourOfBv(kBvLow + (kBvHigh - kBvLow) * (static_cast<float>(c) + 0.5f) /
                                                               static_cast<float>(kStarColourClasses))
                                     : kPlanetColours[c - kStarColourClasses];
        for (int level = 0; level < kLevels; ++level) build(c, level, colour);
    }
}

void cRealSkyPalette::build(int colourClass, int level, keslColor colour) {
    auto image = std::make_unique<keslImage>();
    const int r = m_radii[static_cast<size_t>(level)];
    const int side = 2 * r + 1;
    image->initWithSizeAndColor(side, side, kTransparentColor);
    const float light = lightOfLevel(level);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const float distance = std::hypot(static_cast<float>(x - r), static_cast<float>(y - r));
            const keslColor pixel = pixelOf(colour, intensityAt(light, distance));
            image->setPixel(x, y, pixel);
            m_pixels[m_pixelStarts[index(colourClass, level)] + static_cast<size_t>(y * side + x)] = toPixel(pixel);
        }
    }
    image->setTransparentColor(kTransparentColor);
    m_images[index(colourClass, level)] = std::move(image);
}

float cRealSkyPalette::levelOf(float magnitude) {
    const float level = (kFaintestMagnitude - magnitude) / kMagnitudesPerLevel;
    return std::clamp(level, 0.0f, static_cast<float>(kLevels - 1));
}

int cRealSkyPalette::colourClassOfBv(float bv) {
    const float t = (bv - kBvLow) / (kBvHigh - kBvLow);
    return std::clamp(static_cast<int>(t * kStarColourClasses), 0, kStarColourClasses - 1);
}

keslColor cRealSkyPalette::colourOfBv(float bv) {
    if (bv <= kBvColours[0].bv) return kBvColours[0].colour;
    for (size_t i = 1; i < std::size(kBvColours); ++i) {
        if (bv <= kBvColours[i].bv) {
            const float t = (bv - kBvColours[i - 1].bv) / (kBvColours[i].bv - kBvColours[i - 1].bv);
            return mix(kBvColours[i - 1].colour, kBvColours[i].colour, t);
        }
    }
    return kBvColours[std::size(kBvColours) - 1].colour;
}
