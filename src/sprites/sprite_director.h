// Drives a group of sprites as one: the frame's time, the draw call and the
// render window go to every member in the order they were added. Members are
// borrowed; the world owns and destroys them.
#pragma once

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

    void add(TzerinSprite* sprite) { m_members.push_back(sprite); }
    const std::vector<TzerinSprite*>& members() const { return m_members; }

private:
    std::vector<TzerinSprite*> m_members;
};
