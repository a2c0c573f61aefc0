// The names beside the real sky's brightest stars and its planets: small
// pictures of text in the user's language, made once, drawn a little right
// of and below each named point on the view. The constellations' names stand
// fainter, centred where each constellation's name belongs; they are placed
// only when the sky has turned a step, as the figures' lines are, and are
// left out once the sky is too light for the lines.
#pragma once

#include "astro/sky_frame.h"
#include "astro/sky_projection.h"
#include "astro/star_catalogue.h"
#include "platform/image.h"
#include "world/real_sky_point.h"

#include <array>
#include <memory>
#include <vector>

class keslWindow;

// A name's picture as the sky draws them all: the sky's small font in the
// colour given, on transparency, width x cRealSkyLabels::kHeight.
std::unique_ptr<keslImage> skyNamePicture(const char* text, keslColor colour, int width);

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
    static constexpr keslColor kConstellationColour = 0x4A5672FFu;
    // Room for the longest name in any language; only the inked part is centred.
    static constexpr int kConstellationWidth = 200;

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

    // Places the constellations' names for the frame, or takes them all
    // away; calls note(box) for each box a name left or now fills.
    template <typename Note>
    void placeConstellations(const sSkyProjection& projection, const sSkyFrame* frame, Note&& note);
    // The names of the constellations on the view, under everything else.
    void drawConstellations(keslWindow* window) const;
    // Calls visit(index into the catalogue's constellations, centre x, centre y) for each name drawn.
    template <typename Visit>
    void visitConstellations(Visit&& visit) const {
        for (size_t i = 0; i < m_constellations.size(); ++i) {
            if (m_constellations[i].shown) visit(i, m_constellations[i].x, m_constellations[i].y);
        }
    }

private:
    struct sConstellationName {
        std::unique_ptr<keslImage> picture;
        int width = 0;  // of the ink
        float raDeg = 0.0f, decDeg = 0.0f;
        bool shown = false;
        int x = 0, y = 0;  // the name's centre
        // What the name's ink fills; the rest of its picture is transparent.
        keslRect<int> box() const;
    };
    // Where the name stands for the frame; false when it is off the view or below the horizon.
    static bool placeOf(const sSkyProjection& projection, const sSkyFrame& frame, const sConstellationName& name,
                        int& x, int& y);

    bool m_built = false;
    std::vector<std::unique_ptr<keslImage>> m_starNames;  // by catalogue index, for the brightest
    std::array<std::unique_ptr<keslImage>, kRealSkyPlanetCount> m_planetNames;
    std::vector<sConstellationName> m_constellations;
};

template <typename Note>
void cRealSkyLabels::placeConstellations(const sSkyProjection& projection, const sSkyFrame* frame, Note&& note) {
    for (sConstellationName& name : m_constellations) {
        int x = name.x, y = name.y;
        const bool shown = frame && placeOf(projection, *frame, name, x, y);
        if (shown == name.shown && (!shown || (x == name.x && y == name.y))) continue;
        if (name.shown) note(name.box());
        name.shown = shown;
        name.x = x;
        name.y = y;
        if (shown) note(name.box());
    }
}
