#include "sprites/sprite_director.h"

#include "sprites/sprite.h"

#include <algorithm>

void TzerinSpriteDirector::update(float seconds) {
    const size_t count = m_members.size();
    const size_t restFirst = std::min(m_restFirst, count);
    const size_t restEnd = std::clamp(m_restEnd, restFirst, count);
    for (size_t i = 0; i < restFirst; ++i) updateOrSleep(i, seconds);
    for (size_t i = restEnd; i < count; ++i) updateOrSleep(i, seconds);
}

void TzerinSpriteDirector::updateOrSleep(size_t index, float seconds) {
    Sleep& sleep = m_sleep[index];
    sleep.asleep = sleep.quietLeft > seconds;
    if (sleep.asleep) {
        sleep.quietLeft -= seconds;
        sleep.owed += seconds;
        return;
    }
    TzerinSprite* member = m_members[index];
    member->update(sleep.owed + seconds);
    sleep.owed = 0.0f;
    sleep.quietLeft = member->quietSeconds();
}

void TzerinSpriteDirector::wake(size_t first, size_t end) {
    end = std::min(end, m_members.size());
    for (size_t i = first; i < end; ++i) {
        Sleep& sleep = m_sleep[i];
        if (sleep.owed > 0.0f) m_members[i]->update(sleep.owed);
        sleep = Sleep{};
    }
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
