#include "world/real_sky_shower_names.h"

#include "platform/window.h"
#include "settings/localisation.h"

#include <cmath>

void cRealSkyShowerNames::build() {
    m_built = true;
    for (std::size_t i = 0; i < kMeteorShowerCount; ++i) {
        m_names[i] = skyNamePicture(localised(kMeteorShowers[i].name).c_str(), kColour, kWidth);
    }
}

void cRealSkyShowerNames::place(const sSkyProjection& projection,
                                const std::array<sShowerSky, kMeteorShowerCount>& showers, cChangeLedger& changes) {
    if (!m_built) return;
    for (std::size_t i = 0; i < kMeteorShowerCount; ++i) {
        const sShowerSky& shower = showers[i];
        float x = 0.0f, y = 0.0f;
        const bool shown = shower.zhr > 0.0 && shower.altDeg > 0.0 &&
                           projectDirection(projection, static_cast<float>(shower.radiant.x),
                                            static_cast<float>(shower.radiant.y), static_cast<float>(shower.radiant.z), x, y) &&
                           isOnView(projection, x, y);
        const keslRect<int> box(static_cast<int>(std::lround(y)) + kOffsetY, static_cast<int>(std::lround(x)) + kOffsetX,
                                kWidth, kHeight);
        if (shown == m_shown[i] && (!shown || box == m_boxes[i])) continue;
        if (m_shown[i]) changes.note(m_boxes[i]);
        if (shown) changes.note(box);
        m_shown[i] = shown;
        m_boxes[i] = box;
    }
}

void cRealSkyShowerNames::draw(keslWindow* window) const {
    if (!m_built) return;
    for (std::size_t i = 0; i < kMeteorShowerCount; ++i) {
        if (m_shown[i]) m_names[i]->drawOn(window, m_boxes[i].left, m_boxes[i].top);
    }
}
