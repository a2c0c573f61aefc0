#include "platform/test_window.h"
#include "platform/pixel_probe.h"
#include "sprites/sprite.h"
#include "sprites/sprite_director.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what the director asked of it into a shared journal.
class RecordingSprite : public TzerinSprite {
public:
    RecordingSprite(const char* name, std::vector<std::string>& journal) : TzerinSprite(name), m_journal(journal) {}
    void calculateSize() override {
        width = 10;
        height = 6;
        sizeValid = true;
    }
    void update(float seconds) override {
        m_journal.push_back(std::string("update ") + getName());
        TzerinSprite::update(seconds);
    }
    void draw() override {
        m_journal.push_back(std::string("draw ") + getName());
        TzerinSprite::draw();
    }
    void setRenderWindow(keslWindow* window) override {
        m_journal.push_back(std::string("window ") + getName());
        TzerinSprite::setRenderWindow(window);
    }

private:
    std::vector<std::string>& m_journal;
};

TEST(Sprite, DisableAndEnableCount) {
    std::vector<std::string> journal;
    RecordingSprite sprite("s", journal);
    sprite.enable();
    EXPECT_EQ(sprite.disabledCount, 0);
    sprite.disable();
    sprite.disable();
    sprite.enable();
    EXPECT_FALSE(sprite.isVisible());
    sprite.enable();
    EXPECT_TRUE(sprite.isVisible());
}

TEST(Sprite, SettingTheWindowInvalidatesTheSize) {
    std::vector<std::string> journal;
    RecordingSprite sprite("s", journal);
    sprite.calculateSize();
    auto test = makeTestWindow(20, 20);
    sprite.setRenderWindow(&test->window());
    EXPECT_FALSE(sprite.sizeValid);
    EXPECT_EQ(sprite.m_renderWindowPtr, &test->window());
}

TEST(Sprite, BaseDrawOutlinesForTheHighlightedFramesOnly) {
    auto test = makeTestWindow(40, 30);
    keslWindow& window = test->window();
    std::vector<std::string> journal;
    RecordingSprite sprite("s", journal);
    sprite.setRenderWindow(&window);
    sprite.left = 5;
    sprite.top = 4;
    sprite.highlightFrames = 2;

    window.clearWithColor(0x000000FF);
    sprite.TzerinSprite::draw();
    EXPECT_TRUE(sprite.sizeValid);
    const InkBox box = findInk(window, 0x000000FF);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 4);
    EXPECT_EQ(window.getPixel(5, 4), 0xFFFF00FFu);
    EXPECT_EQ(window.getPixel(10, 7), 0x000000FFu);  // only the outline, not the inside
    EXPECT_EQ(window.getPixel(10, 10), 0xFFFF00FFu);  // bottom edge at top + height

    sprite.TzerinSprite::draw();
    window.clearWithColor(0x000000FF);
    sprite.TzerinSprite::draw();  // third draw: highlight used up
    EXPECT_TRUE(findInk(window, 0x000000FF).empty());
    EXPECT_EQ(sprite.highlightFrames, 0);
}

TEST(SpriteDirector, WithoutMembersDoesNothing) {
    TzerinSpriteDirector director;
    director.update(0.04f);
    director.draw();
    director.setRenderWindow(nullptr);
    EXPECT_TRUE(director.members().empty());
}

TEST(SpriteDirector, ForwardsInOrderAndSkipsDisabledMembersWhenDrawing) {
    std::vector<std::string> journal;
    RecordingSprite a("a", journal);
    RecordingSprite b("b", journal);
    RecordingSprite c("c", journal);
    b.disable();
    TzerinSpriteDirector director;
    director.add(&a);
    director.add(&b);
    director.add(&c);

    auto test = makeTestWindow(10, 10);
    director.setRenderWindow(&test->window());
    director.update(0.04f);
    director.draw();

    EXPECT_EQ(journal, (std::vector<std::string>{"window a", "window b", "window c", "update a", "update b",
                                                 "update c", "draw a", "draw c"}));
    EXPECT_EQ(b.m_renderWindowPtr, &test->window());
}

TEST(SpriteDirector, DisabledMembersStillMove) {
    std::vector<std::string> journal;
    RecordingSprite a("a", journal);
    a.speedX = 100.0f;
    a.disable();
    TzerinSpriteDirector director;
    director.add(&a);
    director.update(0.5f);
    EXPECT_FLOAT_EQ(a.left, 50.0f);
}

// Says it stays quiet for a set time after each update, and keeps the steps it was given.
class QuietSprite : public TzerinSprite {
public:
    explicit QuietSprite(float quiet) : TzerinSprite("quiet"), m_quiet(quiet) {}
    void calculateSize() override {}
    void update(float seconds) override { steps.push_back(seconds); }
    float quietSeconds() const override { return m_quiet; }

    std::vector<float> steps;

private:
    float m_quiet;
};

TEST(SpriteDirector, AQuietMemberSleepsAndTakesTheTimeItSleptThroughInOneUpdate) {
    QuietSprite quiet(0.1f);
    QuietSprite busy(0.0f);
    TzerinSpriteDirector director;
    director.add(&quiet);
    director.add(&busy);

    const bool expectedAsleep[] = {false, true, true, false, true};
    for (bool asleep : expectedAsleep) {
        director.update(0.04f);
        EXPECT_EQ(director.passedBy(0), asleep);
        EXPECT_FALSE(director.passedBy(1));
    }
    ASSERT_EQ(quiet.steps.size(), 2u);
    EXPECT_FLOAT_EQ(quiet.steps[0], 0.04f);
    EXPECT_FLOAT_EQ(quiet.steps[1], 0.12f);
    EXPECT_EQ(busy.steps.size(), 5u);

    // Whoever changes it from outside first wakes it: it takes what it is owed at once.
    director.wake(0, 1);
    EXPECT_FALSE(director.passedBy(0));
    ASSERT_EQ(quiet.steps.size(), 3u);
    EXPECT_FLOAT_EQ(quiet.steps[2], 0.04f);
    director.update(0.04f);
    EXPECT_EQ(quiet.steps.size(), 4u);
}

}  // namespace
