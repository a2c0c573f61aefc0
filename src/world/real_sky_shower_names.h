// The names of the active meteor showers, faint beside their radiants while
// a radiant stands on the view: small pictures of text in the user's
// language, made once, placed as the sky turns.
#pragma once

#include "astro/meteor_showers.h"
#include "astro/sky_projection.h"
#include "platform/image.h"
#include "world/change_ledger.h"
#include "world/real_sky_labels.h"

#include <array>
#include <memory>

class keslWindow;

class cRealSkyShowerNames {
public:
    // Fainter than the stars' names: a radiant is a place, not a light.
    static constexpr keslColor kColour = 0x5C6680FFu;
    static constexpr int kWidth = 140;
    static constexpr int kHeight = cRealSkyLabels::kHeight;
    static constexpr int kOffsetX = 6;
    static constexpr int kOffsetY = 2;

    // Makes the names' pictures; until then nothing is named.
    void build();
    bool built() const { return m_built; }
    // Shows the name of each shower within its activity period whose radiant is on the view; notes what changed.
    void place(const sSkyProjection& projection, const std::array<sShowerSky, kMeteorShowerCount>& showers,
               cChangeLedger& changes);
    void draw(keslWindow* window) const;

    bool shown(std::size_t shower) const { return m_shown[shower]; }
    // The box the shower's name fills when shown.
    const keslRect<int>& box(std::size_t shower) const { return m_boxes[shower]; }

private:
    bool m_built = false;
    std::array<std::unique_ptr<keslImage>, kMeteorShowerCount> m_names;
    std::array<bool, kMeteorShowerCount> m_shown{};
    std::array<keslRect<int>, kMeteorShowerCount> m_boxes{};
};
