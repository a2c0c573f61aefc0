// Sprites that draw a bitmap: one they borrow (many stars share one palette
// image) or one they own (the moon). The image's transparent colour is
// honoured when drawing.
#pragma once

#include "platform/image.h"
#include "sprites/sprite.h"

class TzerinSpriteImage_linkedImg : public TzerinSprite {
public:
    explicit TzerinSpriteImage_linkedImg(const char* name);

    void draw() override;
    void calculateSize() override;
    keslRect<int> coverage() override;
    std::uint64_t appearance() override;
    virtual void resizeTo(int newWidth, int newHeight);

    // Borrowed; the owner keeps it alive while the sprite draws it.
    void setImage(keslImage* image) {
        m_image = image;
        sizeValid = false;
    }
    keslImage* getImage() const { return m_image; }

protected:
    keslImage* m_image = nullptr;
};

class TzerinSpriteImage_ownedImg : public TzerinSpriteImage_linkedImg {
public:
    explicit TzerinSpriteImage_ownedImg(const char* name);
    TzerinSpriteImage_ownedImg(const TzerinSpriteImage_ownedImg&) = delete;
    TzerinSpriteImage_ownedImg& operator=(const TzerinSpriteImage_ownedImg&) = delete;

    keslImage& ownedImage() { return m_ownedImage; }

private:
    keslImage m_ownedImage;
};
