#include "sprites/sprite_image.h"

#include "platform/window.h"

#include <cstdint>

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

keslRect<int> TzerinSpriteImage_linkedImg::coverage() {
    if (!m_renderWindowPtr || !m_image) return {};
    return keslRect<int>(static_cast<int>(y), static_cast<int>(x), m_image->getWidth(), m_image->getHeight());
}

std::uint64_t TzerinSpriteImage_linkedImg::appearance() {
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(m_image));
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
