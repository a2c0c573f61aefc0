#include "world/real_sky_labels.h"

#include "astro/solar_system.h"
#include "astro/star_positions.h"
#include "platform/window.h"
#include "settings/localisation.h"
#include "world/real_sky_paths.h"

#include <cmath>
#include <string>

namespace {
// How far right the text inked, so the name can be centred.
int inkWidth(keslImage& picture, keslColor transparent) {
    int right = picture.getWidth();
    auto columnEmpty = [&](int x) {
        for (int y = 0; y < picture.getHeight(); ++y) {
            if (picture.getPixel(x, y) != transparent) return false;
        }
        return true;
    };
    while (right > 1 && columnEmpty(right - 1)) --right;
    return right;
}
}  // namespace

std::unique_ptr<keslImage> skyNamePicture(const char* text, keslColor colour, int width) {
    keslTextParams params;
    params.color = colour;
    params.fontName = std::string(kDefaultFontName);
    params.fontSize = cRealSkyLabels::kFontPoints;
    auto picture = std::make_unique<keslImage>();
    picture->initWithSizeAndColor(width, cRealSkyLabels::kHeight, cRealSkyPalette::kTransparentColor);
    picture->drawText(0, 0, text, params);
    picture->setTransparentColor(cRealSkyPalette::kTransparentColor);
    return picture;
}

void cRealSkyLabels::build(const sStarCatalogue& catalogue) {
    m_built = true;
    auto nameImage = [](const char* name) { return skyNamePicture(name, kColour, kWidth); };
    m_starNames.resize(catalogue.countBrighterThan(kNamedStarMagnitude));
    for (size_t i = 0; i < m_starNames.size(); ++i) {
        if (const char* name = catalogue.nameOf(i)) m_starNames[i] = nameImage(localised(name).c_str());
    }
    for (int p = 0; p < kRealSkyPlanetCount; ++p) {
        m_planetNames[static_cast<size_t>(p)] = nameImage(localised(solarBodyName(kRealSkyPlanets[p])).c_str());
    }
    m_constellations.resize(catalogue.constellationCount);
    for (size_t i = 0; i < m_constellations.size(); ++i) {
        const sCatalogueConstellation& constellation = catalogue.constellations[i];
        sConstellationName& name = m_constellations[i];
        name.raDeg = constellation.raDeg;
        name.decDeg = constellation.decDeg;
        name.picture = skyNamePicture(localised(constellation.name).c_str(), kConstellationColour, kConstellationWidth);
        name.width = inkWidth(*name.picture, cRealSkyPalette::kTransparentColor);
    }
}

keslRect<int> cRealSkyLabels::sConstellationName::box() const {
    return keslRect<int>(y - kHeight / 2, x - width / 2, width, kHeight);
}

bool cRealSkyLabels::placeOf(const sSkyProjection& projection, const sSkyFrame& frame, const sConstellationName& name,
                             int& x, int& y) {
    const sStarPlace place = apparentPlaceOf(frame, name.raDeg, name.decDeg);
    float px = 0.0f, py = 0.0f;
    if (place.up <= 0.0f || !projectDirection(projection, place.east, place.north, place.up, px, py) ||
        !isOnView(projection, px, py)) {
        return false;
    }
    x = static_cast<int>(std::lround(px));
    y = static_cast<int>(std::lround(py));
    return true;
}

void cRealSkyLabels::drawConstellations(keslWindow* window) const {
    for (const sConstellationName& name : m_constellations) {
        if (!name.shown) continue;
        const keslRect<int> box = name.box();
        name.picture->drawOn(window, box.left, box.top);
    }
}

bool cRealSkyLabels::hasName(const sRealSkyPoint& point, bool planet) const {
    if (!m_built) return false;
    if (planet) return m_planetNames[point.star] != nullptr;
    return point.star < m_starNames.size() && m_starNames[point.star] != nullptr;
}

keslRect<int> cRealSkyLabels::boxOf(const sRealSkyPoint& point) {
    return keslRect<int>(point.y + kOffsetY, point.x + kOffsetX, kWidth, kHeight);
}

void cRealSkyLabels::draw(keslWindow* window, const std::vector<sRealSkyPoint>& stars,
                          const std::vector<sRealSkyPoint>& planets) const {
    if (!m_built) return;
    for (const sRealSkyPoint& star : stars) {
        if (star.star < m_starNames.size() && m_starNames[star.star]) {
            m_starNames[star.star]->drawOn(window, star.x + kOffsetX, star.y + kOffsetY);
        }
    }
    for (const sRealSkyPoint& planet : planets) {
        m_planetNames[planet.star]->drawOn(window, planet.x + kOffsetX, planet.y + kOffsetY);
    }
}
