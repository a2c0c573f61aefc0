// Drives a group of sprites as one: the frame's time, the draw call and the
// render window go to every member in the order they were added. Members are
// borrowed; the world owns and destroys them. A run of members may rest: a
// crowd of sprites with nothing to do is then not even visited, which on a
// machine whose caches go cold between frames is most of what it would cost.
// A member may also sleep through the time it says it stays quiet: the time
// is kept for it and handed over in one update when it wakes.
#pragma once

#include <cstddef>
#include <vector>

class TzerinSprite;
class keslWindow;

class TzerinSpriteDirector {
public:
    virtual ~TzerinSpriteDirector() = default;

    virtual void update(float seconds);
    // Disabled members are skipped here but still updated.
    virtual void draw();
    virtual void setRenderWindow(keslWindow* window);

    void add(TzerinSprite* sprite) {
        m_members.push_back(sprite);
        m_sleep.emplace_back();
    }
    const std::vector<TzerinSprite*>& members() const { return m_members; }

    // Members from first up to end rest: update passes them by, and the world
    // asks them for no report. Only members whose update would change nothing
    // may rest, and whoever changes one wakes them all first: rest(0, 0).
    void rest(size_t first, size_t end);
    bool rests(size_t index) const { return index >= m_restFirst && index < m_restEnd; }
    // Members from first up to end that sleep take the time they are owed
    // now, and are awake: for whoever is about to change them from outside.
    void wake(size_t first, size_t end);
    // Whether the last update passed the member by (resting or asleep): it
    // changed nothing, so what it last reported still stands.
    bool passedBy(size_t index) const { return rests(index) || m_sleep[index].asleep; }

private:
    struct Sleep {
        // Quiet time the member has left, and time it is owed.
        float quietLeft = 0.0f;
        float owed = 0.0f;
        bool asleep = false;
    };

    void updateOrSleep(size_t index, float seconds);

    std::vector<TzerinSprite*> m_members;
    // One per member, by index.
    std::vector<Sleep> m_sleep;
    size_t m_restFirst = 0;
    size_t m_restEnd = 0;
};
