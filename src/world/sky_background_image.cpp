#include "world/sky_background_image.h"

#include "platform/window.h"
#include "util/log_guards.h"

cSkyBackground_Image::cSkyBackground_Image(int resourceId, const char* imageName)
    : backgroundImageSprite(imageName), m_resourceId(resourceId) {}

void cSkyBackground_Image::calculateSize() {
    backgroundImageSprite.calculateSize();
    width = backgroundImageSprite.width;
    height = backgroundImageSprite.height;
    sizeValid = true;
}

void cSkyBackground_Image::initialize() {
    logFunctionLife life("cSkyBackground_Image.initialize()");
    cSkyBackground::initialize();
    backgroundImageSprite.setRenderWindow(m_renderWindowPtr);
}

bool cSkyBackground_Image::loadImage() {
    backgroundImageSprite.sizeValid = false;
    return backgroundImageSprite.ownedImage().initWithResource_impl(m_resourceId);
}

void cSkyBackground_ImageStretched::initialize() {
    logFunctionLife life("cSkyBackground_ImageStretched.initialize()");
    cSkyBackground_Image::initialize();
    if (!loadImage()) {
        logWarning("cSkyBackground_ImageStretched initialize could not load image");
        return;
    }
    backgroundImageSprite.calculateSize();
    backgroundImageSprite.x = 0.0f;
    backgroundImageSprite.y = 0.0f;
    if (backgroundImageSprite.width > 0.0f && backgroundImageSprite.height > 0.0f) {
        backgroundImageSprite.resizeTo(clientWidth, clientHeight);
    }
    logInfo("cSkyBackground_ImageStretched resizedTo: %i x %i, will be plotted at x:%i, y:%i",
            static_cast<int>(backgroundImageSprite.width), static_cast<int>(backgroundImageSprite.height),
            static_cast<int>(backgroundImageSprite.x), static_cast<int>(backgroundImageSprite.y));
    calculateSize();
}

void cSkyBackground_ImageStretched::draw() {
    if (needsInitialize) {
        initializeOnFirstDraw();
        if (!isVisible()) return;
    }
    backgroundImageSprite.draw();
}

void cSkyBackground_ImageTiled::initialize() {
    logFunctionLife life("cSkyBackground_ImageTiled.initialize()");
    cSkyBackground_Image::initialize();
    if (!loadImage()) return;
    backgroundImageSprite.calculateSize();
    backgroundImageSprite.setRenderWindow(m_renderWindowPtr);
    calculateSize();
    logInfo("cSkyBackground_ImageTiled tile size: %i x %i", static_cast<int>(backgroundImageSprite.width),
            static_cast<int>(backgroundImageSprite.height));
}

void cSkyBackground_ImageTiled::draw() {
    if (needsInitialize) {
        initializeOnFirstDraw();
        if (!isVisible()) return;
    }
    if (m_renderWindowPtr == nullptr) return;
    const keslPixelView tile = backgroundImageSprite.ownedImage().pixelView();
    if (tile && m_renderWindowPtr->drawTiledPixels(tile, keslRect<int>(0, 0, clientWidth, clientHeight))) return;
    drawTileByTile();
}

void cSkyBackground_ImageTiled::drawTileByTile() {
    const int tileWidth = static_cast<int>(backgroundImageSprite.width);
    const int tileHeight = static_cast<int>(backgroundImageSprite.height);
    if (tileWidth <= 0 || tileHeight <= 0) return;
    for (int column = 0; column < clientWidth; column += tileWidth) {
        for (int row = 0; row < clientHeight; row += tileHeight) {
            backgroundImageSprite.x = static_cast<float>(column);
            backgroundImageSprite.y = static_cast<float>(row);
            backgroundImageSprite.draw();
        }
    }
}
