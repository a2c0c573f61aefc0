// Turns the user's background choice into the one background object the world
// draws first. Any value it does not know gives the starry tiles.
#pragma once

#include "settings/app_settings.h"
#include "world/sky_background.h"

#include <memory>

class cSkyBackgroundFactory {
public:
    static constexpr int kBlack = 0;
    static constexpr int kDarkBlue = 1;
    static constexpr int kGradient = 2;
    static constexpr int kStarry = 3;
    static constexpr int kGradientBitmap = 123;
    static constexpr int kStarryTileBitmap = 124;
    static constexpr float kBlackShare = 0.15f;
    static constexpr float kDarkBlueShare = 0.3f;

    explicit cSkyBackgroundFactory(keslKeyValue& settings = settingsGroups::defaultStore());
    virtual ~cSkyBackgroundFactory() = default;

    // A new background for the "background" setting; the caller owns it.
    virtual std::unique_ptr<cSkyBackground> create() const;
    static std::unique_ptr<cSkyBackground> createFor(int choice);

private:
    keslKeyValue& m_settings;
};
