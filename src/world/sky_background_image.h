// Backgrounds made of one of the module's bitmaps: stretched once to the
// window (the gradient) or repeated over it as tiles (the starry sky). The
// bitmap is loaded at the first draw; one that cannot be loaded leaves the
// background drawing nothing, never failing the frame.
#pragma once

#include "sprites/sprite_image.h"
#include "world/sky_background.h"

class cSkyBackground_Image : public cSkyBackground {
public:
    // The image sprite is named after the bitmap's file name (a literal).
    cSkyBackground_Image(int resourceId, const char* imageName);

    void calculateSize() override;
    void initialize() override;

    int getResourceId() const { return m_resourceId; }
    TzerinSpriteImage_ownedImg& imageSprite() { return backgroundImageSprite; }

protected:
    // Loads the bitmap into the image sprite; false when it cannot be loaded.
    bool loadImage();

    TzerinSpriteImage_ownedImg backgroundImageSprite;

private:
    int m_resourceId;
};

class cSkyBackground_ImageStretched : public cSkyBackground_Image {
public:
    using cSkyBackground_Image::cSkyBackground_Image;

    void draw() override;
    // Resizes the bitmap to the client area, once.
    void initialize() override;
};

class cSkyBackground_ImageTiled : public cSkyBackground_Image {
public:
    using cSkyBackground_Image::cSkyBackground_Image;

    // The whole client area in one call where the window's pixels are in
    // memory; else the bitmap tile by tile, edge tiles cut by the window.
    void draw() override;
    void initialize() override;

private:
    // Columns left to right, each top to bottom.
    void drawTileByTile();
};
