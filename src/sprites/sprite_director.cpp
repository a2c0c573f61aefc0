#include "sprites/sprite_director.h"

#include "sprites/sprite.h"

void TzerinSpriteDirector::update(float seconds) {
    for (TzerinSprite* sprite : m_members) sprite->update(seconds);
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
