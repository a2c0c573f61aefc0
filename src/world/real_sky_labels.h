// The names beside the real sky's brightest stars and its planets: small
// pictures of text in the user's language, made once, drawn a little right
// of and below each named point on the view.
#pragma once

#include "astro/star_catalogue.h"
#include "platform/image.h"
#include "world/real_sky_point.h"

#include <array>
#include <memory>
#include <vector>

class keslWindow;

class cRealSkyLabels {
public:
    static constexpr keslColor kColour = 0x7F8CA8FFu;
    // Stars this bright or brighter are named, when the catalogue has a name for them.
    static constexpr float kNamedStarMagnitude = 1.6f;
    static constexpr int kWidth = 120;
    static constexpr int kHeight = 16;
    static constexpr float kFontPoints = 8.0f;
    static constexpr int kOffsetX = 6;
    static constexpr int kOffsetY = 2;

    // Makes the names' pictures; until then nothing is named.
    void build(const sStarCatalogue& catalogue);
    bool built() const { return m_built; }
    // Whether the point (a star, or a planet) has a name drawn beside it.
    bool hasName(const sRealSkyPoint& point, bool planet) const;
    // The box a point's name fills.
    static keslRect<int> boxOf(const sRealSkyPoint& point);
    // The names of the stars and planets on the view, the planets' on top.
    void draw(keslWindow* window, const std::vector<sRealSkyPoint>& stars,
              const std::vector<sRealSkyPoint>& planets) const;

private:
    bool m_built = false;
    std::vector<std::unique_ptr<keslImage>> m_starNames;  // by catalogue index, for the brightest
    std::array<std::unique_ptr<keslImage>, kRealSkyPlanetCount> m_planetNames;
};
