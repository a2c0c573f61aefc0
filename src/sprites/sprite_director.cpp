#include "sprites/sprite_director.h"

#include "sprites/sprite.h"

#include <algorithm>

void TzerinSpriteDirector::update(float seconds) {
    const size_t count = m_members.size();
    const size_t restFirst = std::min(m_restFirst, count);
    const size_t restEnd = std::clamp(m_restEnd, restFirst, count);
    for (size_t i = 0; i < restFirst; ++i) m_members[i]->update(seconds);
    for (size_t i = restEnd; i < count; ++i) m_members[i]->update(seconds);
}

void TzerinSpriteDirector::rest(size_t first, size_t end) {
    m_restFirst = first;
    m_restEnd = std::max(first, end);
}

void TzerinSpriteDirector::draw() {
    for (TzerinSprite* sprite : m_members) {
        if (sprite->disabledCount > 0) continue;
        sprite->draw();
    }
}

void TzerinSpriteDirector::setRenderWindow(keslWindow* window) {
    for (TzerinSprite* sprite : m_members) sprite->setRenderWindow(window);
}
