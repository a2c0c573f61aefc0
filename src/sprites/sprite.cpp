#include "sprites/sprite.h"

#include "platform/window.h"
#include "sprites/sprite_look.h"
#include "system/rect_ops.h"

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

keslRect<int> TzerinSprite::coverage() {
    if (!sizeValid) calculateSize();
    // Sprites that keep the base look paint at most their rectangle, whichever way x and y round.
    return keslRect<int>(static_cast<int>(top) - 1, static_cast<int>(left) - 1, static_cast<int>(width) + 3,
                         static_cast<int>(height) + 3);
}

std::uint64_t TzerinSprite::appearance() { return 0; }

keslRect<int> TzerinSprite::outlineCoverage() const {
    return keslRect<int>(static_cast<int>(top) - 1, static_cast<int>(left) - 1, static_cast<int>(width) + 3,
                         static_cast<int>(height) + 3);
}

void TzerinSprite::reportChange(keslDirtyRegion& region) {
    keslRect<int> now;
    std::uint64_t look = 0;
    if (isVisible()) {
        now = coverage();
        look = keslMixLook(appearance(), m_changes);
        if (highlightFrames > 0) {
            now = keslBoundingBox(now, outlineCoverage());
            look = keslMixLook(look, static_cast<std::uint64_t>(highlightFrames));
        }
    }
    if (now == m_reportedCoverage && look == m_reportedAppearance) return;
    // A sprite that moved a little covers both places with one box: what the
    // region would join them into anyway, found without a search.
    const keslRect<int> both = keslBoundingBox(m_reportedCoverage, now);
    if (keslOverlaps(m_reportedCoverage, now) && both.width <= 2 * now.width && both.height <= 2 * now.height) {
        region.add(both);
    } else {
        region.add(m_reportedCoverage);
        region.add(now);
    }
    m_reportedCoverage = now;
    m_reportedAppearance = look;
}

void TzerinSprite::setRenderWindow(keslWindow* window) {
    m_renderWindowPtr = window;
    sizeValid = false;
}

void TzerinSprite::update(float seconds) { move(seconds); }
