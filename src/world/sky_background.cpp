#include "world/sky_background.h"

#include "platform/window.h"

cSkyBackground::cSkyBackground() : TzerinSprite("cSkyBackground") {}

void cSkyBackground::initialize() {
    if (!m_renderWindowPtr) return;
    const keslSize client = m_renderWindowPtr->getClientSize();
    clientWidth = client.width;
    clientHeight = client.height;
    const keslRect<int> onScreen = m_renderWindowPtr->getWindowRect();
    x = static_cast<float>(onScreen.left);
    y = static_cast<float>(onScreen.top);
}

keslRect<int> cSkyBackground::coverage() {
    if (!m_renderWindowPtr) return {};
    const keslSize client = m_renderWindowPtr->getClientSize();
    return keslRect<int>(0, 0, client.width, client.height);
}

void cSkyBackground::initializeOnFirstDraw() {
    if (!needsInitialize) return;
    needsInitialize = false;
    initialize();
}

void cSkyBackground_SolidColor::calculateSize() {
    width = static_cast<float>(clientWidth);
    height = static_cast<float>(clientHeight);
    sizeValid = true;
}

void cSkyBackground_SolidColor::draw() {
    initializeOnFirstDraw();
    if (!m_renderWindowPtr) return;
    m_renderWindowPtr->clearWithColor(m_fillColor);
}
