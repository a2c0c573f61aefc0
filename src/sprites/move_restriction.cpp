#include "sprites/move_restriction.h"

#include "sprites/particle.h"
#include "util/log.h"

bool TzerinMoveRestriction_InsideRect::mayAct(const TzerinParticle& p) const {
    // The far edges get a pixel more: left + width may reach its next pixel before left does.
    return static_cast<int>(p.left) <= bounds.left || static_cast<int>(p.left + p.width) + 1 >= bounds.getRight() ||
           static_cast<int>(p.top) <= bounds.top || static_cast<int>(p.top + p.height) + 1 >= bounds.getBottom();
}

void TzerinMoveRestriction_BounceInsideRect::apply(TzerinParticle* p) {
    if (!p) return;
    float factorX = 1.0f;
    float factorY = 1.0f;
    if (static_cast<int>(p->left) <= bounds.left && p->speedX < 0) factorX = -1.0f;
    if (static_cast<int>(p->left + p->width) >= bounds.getRight() && p->speedX > 0) factorX = -1.0f;
    if (static_cast<int>(p->top) <= bounds.top && p->speedY < 0) factorY = -1.0f;
    if (static_cast<int>(p->top + p->height) >= bounds.getBottom() && p->speedY > 0) factorY = -1.0f;
    p->speedX *= factorX;
    p->speedY *= factorY;
    if (highlight && (factorX < 0 || factorY < 0)) p->highlightFrames = kHighlightFramesOnBounce;
}

void TzerinMoveRestriction_ContinueInsideRect::apply(TzerinParticle* p) {
    if (!p) {
        logError("#8513b: nil aParticlePtr");
        return;
    }
    if (static_cast<int>(p->left + p->width) <= bounds.left && p->speedX < 0) p->x = static_cast<float>(bounds.getRight());
    if (static_cast<int>(p->left) >= bounds.getRight() && p->speedX > 0) p->x = static_cast<float>(bounds.left);
    if (static_cast<int>(p->top + p->height) <= bounds.top && p->speedY < 0) p->y = static_cast<float>(bounds.getBottom());
    if (static_cast<int>(p->top) >= bounds.getBottom() && p->speedY > 0) p->y = static_cast<float>(bounds.top);
}
