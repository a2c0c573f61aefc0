#include "platform/image_base.h"

#include "platform/window_base.h"

#include <optional>

void keslImageBase::setTransparentColor(keslColor color) {
    m_transparentColor = color;
    m_hasTransparentColor = true;
}

void keslImageBase::drawOn(keslWindowBase* window, int x, int y) {
    if (window == nullptr) {
        return;
    }
    const std::optional<keslColor> key =
        m_hasTransparentColor ? std::optional<keslColor>(m_transparentColor) : std::nullopt;
    window->drawImage(x, y, getSurfaceHandle(), getWidth(), getHeight(), key);
}

void keslImageBase::resizeByFactor(float factor) {
    resizeTo(static_cast<int>(static_cast<float>(getWidth()) * factor),
             static_cast<int>(static_cast<float>(getHeight()) * factor));
}
