#include "world/real_sky_labels.h"

#include "astro/solar_system.h"
#include "platform/window.h"
#include "settings/localisation.h"
#include "world/real_sky_paths.h"

#include <string>

void cRealSkyLabels::build(const sStarCatalogue& catalogue) {
    m_built = true;
    keslTextParams text;
    text.color = kColour;
    text.fontName = std::string(kDefaultFontName);
    text.fontSize = kFontPoints;
    auto nameImage = [&](const char* name) {
        auto image = std::make_unique<keslImage>();
        image->initWithSizeAndColor(kWidth, kHeight, cRealSkyPalette::kTransparentColor);
        image->drawText(0, 0, name, text);
        image->setTransparentColor(cRealSkyPalette::kTransparentColor);
        return image;
    };
    m_starNames.resize(catalogue.countBrighterThan(kNamedStarMagnitude));
    for (size_t i = 0; i < m_starNames.size(); ++i) {
        if (const char* name = catalogue.nameOf(i)) m_starNames[i] = nameImage(localised(name).c_str());
    }
    for (int p = 0; p < kRealSkyPlanetCount; ++p) {
        m_planetNames[static_cast<size_t>(p)] = nameImage(localised(solarBodyName(kRealSkyPlanets[p])).c_str());
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
