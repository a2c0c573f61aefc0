#include "world/sky_background_factory.h"

#include "util/log_guards.h"
#include "world/sky_background_image.h"

cSkyBackgroundFactory::cSkyBackgroundFactory(keslKeyValue& settings) : m_settings(settings) {}

std::unique_ptr<cSkyBackground> cSkyBackgroundFactory::create() const {
    logTimeCountrer timing("cSkyBackgroundFactory.create()", "Entering", "Exiting");
    return createFor(cGeneralSettings(m_settings).background.get());
}

std::unique_ptr<cSkyBackground> cSkyBackgroundFactory::createFor(int choice) {
    switch (choice) {
        case kBlack:
            return std::make_unique<cSkyBackground_SolidColor>(scaleColor(skyBaseColor, kBlackShare));
        case kDarkBlue:
            return std::make_unique<cSkyBackground_SolidColor>(scaleColor(skyBaseColor, kDarkBlueShare));
        case kGradient:
            return std::make_unique<cSkyBackground_ImageStretched>(kGradientBitmap, "background-blue-gradient.bmp");
        default:
            return std::make_unique<cSkyBackground_ImageTiled>(kStarryTileBitmap, "background-starry-tiled.bmp");
    }
}
