#include "sprites/sprite.h"

#include "platform/window.h"

namespace {
int roundToPixel(float value) { return static_cast<int>(value + 0.5f); }
}  // namespace

TzerinSprite::TzerinSprite(const char* name) : m_name(name) {}

void TzerinSprite::draw() {
    if (highlightFrames <= 0) return;
    --highlightFrames;
    drawOutlineEdge(left, top, left + width, top);
    drawOutlineEdge(left, top + height, left + width, top + height);
    drawOutlineEdge(left, top, left, top + height);
    drawOutlineEdge(left + width, top, left + width, top + height);
}

void TzerinSprite::drawOutlineEdge(float x1, float y1, float x2, float y2) {
    if (!sizeValid) calculateSize();
    if (!m_renderWindowPtr) return;
    m_renderWindowPtr->drawLine(roundToPixel(x1), roundToPixel(y1), roundToPixel(x2), roundToPixel(y2), 1,
                                kOutlineColor);
}

void TzerinSprite::setRenderWindow(keslWindow* window) {
    m_renderWindowPtr = window;
    sizeValid = false;
}

void TzerinSprite::update(float seconds) { move(seconds); }
