#include "sprites/sprite_image.h"

#include "platform/window.h"

TzerinSpriteImage_linkedImg::TzerinSpriteImage_linkedImg(const char* name) : TzerinSprite(name) {}

void TzerinSpriteImage_linkedImg::calculateSize() {
    if (!m_image) return;
    width = static_cast<float>(m_image->getWidth());
    height = static_cast<float>(m_image->getHeight());
    sizeValid = true;
}

void TzerinSpriteImage_linkedImg::draw() {
    if (disabledCount > 0 || !m_renderWindowPtr || !m_image) return;
    m_image->drawOn(m_renderWindowPtr, static_cast<int>(x), static_cast<int>(y));
}

void TzerinSpriteImage_linkedImg::resizeTo(int newWidth, int newHeight) {
    if (!m_image) return;
    m_image->resizeTo(newWidth, newHeight);
    sizeValid = false;
    calculateSize();
}

TzerinSpriteImage_ownedImg::TzerinSpriteImage_ownedImg(const char* name) : TzerinSpriteImage_linkedImg(name) {
    m_image = &m_ownedImage;
}
