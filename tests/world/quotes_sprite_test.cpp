// The quotes label: the fade of one line, the chain of lines, the placement
// away from the moon, and the rhythm of quotes.
#include "platform/pixel_probe.h"
#include "platform/test_window.h"
#include "quotes/quotes.h"
#include "support/temp_folder.h"
#include "world/moon_info_sprite.h"
#include "world/quotes_sprite.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr keslColor kBurlyWood = 0xDEB887FFu;
constexpr keslColor kBlack = 0x000000FFu;
constexpr float kTick = 0.04f;

// Updates until the state changes or the limit is reached; returns the count.
int updatesUntilStateLeaves(cSpriteTextDimming& line, int state, int limit = 1000) {
    int updates = 0;
    while (line.dimState == state && updates < limit) {
        line.update(kTick);
        ++updates;
    }
    return updates;
}

TEST(FadingText, HoldGrowsWithTheTextAndTheSetting) {
    EXPECT_EQ(cSpriteTextDimming::displayDurationFor(2), 4000);
    EXPECT_EQ(cSpriteTextDimming::displayDurationFor(7), 7000);
    EXPECT_EQ(cSpriteTextDimming::displayDurationFor(200), 90000);
    EXPECT_EQ(cSpriteTextDimming::displayDurationFor(-3), 4000);

    const struct {
        int displayMs;
        size_t characters;
        int minimumHoldMs;
        int holdMs;
    } cases[] = {
        {7000, 30, 0, 9400},      // 7 s and 80 ms for each of 30 characters
        {4000, 0, 1500, 4000},    // a later, empty line still holds 4 s
        {4000, 2, 20000, 20000},  // the minimum wins when it is longer
        {90000, 10, 0, 90800},
        {2000, 0, 0, 4000},       // never under 4 s
    };
    for (const auto& c : cases) {
        cSpriteTextDimming line("line", kBurlyWood);
        line.displayDuration = c.displayMs;
        line.setText(std::string(c.characters, 'a').c_str());
        line.startFadeIn(c.minimumHoldMs);
        EXPECT_EQ(line.holdTime, c.holdMs) << c.displayMs << " ms, " << c.characters << " characters";
        EXPECT_EQ(line.dimState, 1);
    }
}

TEST(FadingText, GrowsInOverFiftyOneUpdatesAndVanishesInTenAtTwiceItsSize) {
    cSpriteTextDimming line("line", kBurlyWood);
    EXPECT_EQ(*line.textParams.fontName, "Comic Sans MS");
    EXPECT_EQ(*line.textParams.color, kBlack);
    line.setText("Hope is the thing with feathers");
    line.startFadeIn(0);
    for (int i = 0; i < 11; ++i) line.update(kTick);
    // The eleventh update worked at level 20: a fifth of the colour, two thirds of the size.
    EXPECT_EQ(*line.textParams.color, 0x2C241BFFu);
    EXPECT_NEAR(*line.textParams.fontSize, 14.0f * 20 / 30, 1e-4);
    for (int i = 0; i < 5; ++i) line.update(kTick);
    EXPECT_FLOAT_EQ(*line.textParams.fontSize, 14.0f);

    cSpriteTextDimming fresh("line", kBurlyWood);
    fresh.startFadeIn(0);
    EXPECT_EQ(updatesUntilStateLeaves(fresh, 1), 51);
    EXPECT_EQ(fresh.dimState, 2);
    EXPECT_EQ(*fresh.textParams.color, kBurlyWood);
    fresh.holdTime = 100;
    EXPECT_EQ(updatesUntilStateLeaves(fresh, 2), 3);  // 120 ms > 100 ms
    EXPECT_EQ(updatesUntilStateLeaves(fresh, 3), 10);
    EXPECT_EQ(fresh.dimState, 4);
    EXPECT_EQ(fresh.dimLevel, 0);
    EXPECT_FLOAT_EQ(*fresh.textParams.fontSize, 28.0f);
    // Done is done.
    fresh.update(kTick);
    EXPECT_EQ(fresh.dimState, 4);
}

TEST(FadingLines, ALineAtLevelTwentyOrBelowIsNotDrawnWhileItFades) {
    auto host = makeTestWindow(400, 100);
    keslWindow& window = host->window();
    cSpriteTextDimming_linkedList line("line", kBurlyWood);
    line.setLines({"Wisely and slow"}, &window);
    line.x = 20;
    line.y = 20;
    line.startFadeIn(0);
    const auto inkAfterUpdates = [&](int updates) {
        for (int i = 0; i < updates; ++i) line.update(kTick);
        window.clearWithColor(kBlack);
        line.draw();
        return !findInk(window, kBlack).empty();
    };
    EXPECT_FALSE(inkAfterUpdates(10));  // level 20
    EXPECT_TRUE(inkAfterUpdates(1));    // level 22
    line.startFadeOut();
    while (line.dimLevel > 28) line.update(kTick);
    EXPECT_TRUE(inkAfterUpdates(0));  // level 28, growing
    EXPECT_FALSE(inkAfterUpdates(1)); // level 16
}

TEST(FadingLines, EachLineFollowsTheOneAboveItInAndOut) {
    auto host = makeTestWindow(600, 300);
    cSpriteTextDimming_linkedList head("head", kBurlyWood);
    head.setLines({"There is nothing either good or bad,", "but thinking makes it so", "(William Shakespeare)"},
                  &host->window());
    ASSERT_EQ(head.lineCount(), 3);
    cSpriteTextDimming_linkedList& second = *head.nextLine;
    cSpriteTextDimming_linkedList& third = *second.nextLine;
    EXPECT_EQ(third.getText(), "(William Shakespeare)");
    // The chain's rectangle reaches the last line at the 28-pixel pitch.
    EXPECT_FLOAT_EQ(head.chainRect.height, 56.0f + third.height);
    EXPECT_FLOAT_EQ(head.chainRect.width, std::max({head.width, second.width, third.width}));

    head.x = 100;
    head.y = 50;
    head.startFadeIn(0);
    struct Change {
        int update;
        int line;
        int state;
    };
    std::vector<Change> changes;
    int previous[3] = {head.dimState, second.dimState, third.dimState};
    for (int update = 1; update <= 2000 && third.dimState != 4; ++update) {
        head.update(kTick);
        const int now[3] = {head.dimState, second.dimState, third.dimState};
        for (int line = 0; line < 3; ++line) {
            if (now[line] != previous[line]) changes.push_back({update, line, now[line]});
            previous[line] = now[line];
        }
    }
    ASSERT_EQ(third.dimState, 4);
    EXPECT_FLOAT_EQ(second.y, 78.0f);
    EXPECT_FLOAT_EQ(third.y, 106.0f);
    const auto when = [&](int line, int state) {
        for (const Change& c : changes) {
            if (c.line == line && c.state == state) return c.update;
        }
        return -1;
    };
    EXPECT_EQ(when(0, 2), 51);
    EXPECT_EQ(when(1, 1), 51);  // the next line starts as the one above reaches full level
    EXPECT_EQ(when(2, 1), when(1, 2));
    // A line starts vanishing in the update in which the one above has vanished, never before.
    EXPECT_EQ(when(1, 3), when(0, 4));
    EXPECT_EQ(when(2, 3), when(1, 4));
    // Holds with the default 7 s: the head 7000 + 36 x 80 ms, the second 7000 + 24 x 80 ms.
    EXPECT_EQ(head.holdTime, 9880);
    EXPECT_EQ(second.holdTime, 8920);
}

class QuotesLabel : public ::testing::Test {
protected:
    QuotesLabel() {
        writeFile(folder.file("userQuotes.txt"), "a|b\nx||y\n");
        quotes = std::make_unique<cQuotes>(folder.file("userQuotes.txt"));
        label.setQuoteSource(*quotes);
        label.allowedCategories = {10};
        label.setRenderWindow(&host->window());
        label.setQuoteArea(keslRect<int>(0, 0, 800, 600));
    }

    TempFolder folder;
    std::unique_ptr<cQuotes> quotes;
    std::unique_ptr<TestWindow> host = makeTestWindow(800, 600);
    cQuotesSprite label{"quotesLabel", cQuotesSprite::kLabelColor};
};

TEST_F(QuotesLabel, UserLinesWithBarsBecomeLinesOfTheLabel) {
    for (int i = 0; i < 20; ++i) {
        label.getNextQuote();
        if (label.getText() == "a") {
            ASSERT_EQ(label.lineCount(), 2);
            EXPECT_EQ(label.nextLine->getText(), "b");
        } else {
            ASSERT_EQ(label.lineCount(), 3);
            EXPECT_EQ(label.getText(), "x");
            EXPECT_EQ(label.nextLine->getText(), "");
            EXPECT_EQ(label.nextLine->nextLine->getText(), "y");
        }
    }
}

TEST_F(QuotesLabel, PlacementKeepsAwayFromTheMoonUntilTheEleventhTry) {
    TzerinSpriteText moon("moon");
    cMoonInfoSprite moonInfo;
    moon.top = 0;
    moon.left = 0;
    moon.width = 800;
    moon.height = 600;
    label.setObstacles(&moon, &moonInfo);
    label.getNextQuote();
    EXPECT_EQ(label.selectRandomPosition(), 11);
    // No place is clear, yet the quote still stays inside its area (10..790 by 20..580): a try
    // sticking out covers less of the moon, but would put lines off the monitor.
    for (int i = 0; i < 100; ++i) {
        label.getNextQuote();
        label.selectRandomPosition();
        ASSERT_TRUE(label.chainRect.left >= 10.0f && label.chainRect.top >= 20.0f &&
                    label.chainRect.getRight() <= 790.0f && label.chainRect.getBottom() <= 580.0f)
            << "placed at " << label.chainRect.left << ", " << label.chainRect.top << " to "
            << label.chainRect.getRight() << ", " << label.chainRect.getBottom();
    }

    // The moon in the left half, its label under it: every placement lands right of them.
    // The label is centred, so it is drawn a width left of its rectangle, under the moon.
    moon.width = 400;
    moon.height = 250;
    moonInfo.textParams.alignment = kSpriteAlignCentre;
    moonInfo.top = 250;
    moonInfo.left = 400;
    moonInfo.width = 400;
    moonInfo.height = 30;
    for (int i = 0; i < 200; ++i) {
        label.getNextQuote();
        const int placements = label.selectRandomPosition();
        if (placements == 11) continue;
        EXPECT_TRUE(label.chainRect.left > 400 || label.chainRect.top > 280);
        EXPECT_GE(label.chainRect.left, 30.0f);
        EXPECT_LE(label.chainRect.getBottom(), 580.0f);
    }

    // A hidden moon is no obstacle: placements stop well before the eleventh.
    moon.width = 800;
    moon.height = 600;
    moon.disable();
    moonInfo.disable();
    for (int i = 0; i < 50; ++i) {
        label.getNextQuote();
        EXPECT_LT(label.selectRandomPosition(), 11);
    }
}

// The moon's label lies across the middle of the sky, where a quote placed
// below it would rise into it: a quote placed clear stays clear of the label,
// as wide as its widest line, until its last line has vanished.
TEST_F(QuotesLabel, AQuotePlacedClearStaysClearOfTheMoonLabelWhileItRisesAndGrows) {
    TzerinSpriteText noMoon("moon");
    cMoonInfoSprite moonInfo;
    moonInfo.setRenderWindow(&host->window());
    moonInfo.top = 250;
    moonInfo.left = 500;
    moonInfo.width = 200;
    moonInfo.height = 30;
    label.setObstacles(&noMoon, &moonInfo);
    // A centred text is drawn a width left of its rectangle.
    const keslRect<float> labelBox(250, 300, 200, 30);
    label.initialDelay = 0.0f;
    label.showNow = false;
    int placedClear = 0;
    for (int quote = 0; quote < 40; ++quote) {
        label.getNextQuote();
        label.speedY = -12.0f;
        if (label.selectRandomPosition() == cQuotesSprite::kPlacements) continue;
        ++placedClear;
        label.startFadeIn(0);
        for (int tick = 0; tick < 2000 && !label.quoteFinished(); ++tick) {
            label.update(kTick);
            for (const cSpriteTextDimming_linkedList* line = &label; line; line = line->nextLine.get()) {
                if (line->dimLevel <= cSpriteTextDimming_linkedList::kHighestHiddenLevel) continue;
                const float grown = *line->textParams.fontSize / line->baseFontSize;
                const keslRect<float> drawn(line->top, line->left, line->width * grown, line->height * grown);
                ASSERT_TRUE(drawn.getRight() < labelBox.left || drawn.left > labelBox.getRight() ||
                            drawn.getBottom() < labelBox.top || drawn.top > labelBox.getBottom())
                    << "quote " << quote << " at tick " << tick << " covers the label: line at " << drawn.left << ","
                    << drawn.top;
            }
        }
    }
    EXPECT_GT(placedClear, 10);
}

TEST_F(QuotesLabel, FirstQuoteAfterFiveSecondsThenThreeSecondsAfterEachVanishes) {
    int updates = 0;
    while (label.getText().empty() && updates < 1000) {
        label.update(kTick);
        ++updates;
    }
    EXPECT_NEAR(updates, 126, 1);
    EXPECT_EQ(label.dimState, 1);
    EXPECT_LE(label.speedY, -7.0f);
    EXPECT_GE(label.speedY, -12.0f);
    EXPECT_FALSE(label.showNow);

    while (!label.quoteFinished()) label.update(kTick);
    int gap = 0;
    while (label.dimState == 4 || label.dimState == 0) {
        label.update(kTick);
        ++gap;
    }
    EXPECT_NEAR(gap, 75, 1);
}

TEST(QuotesLabelFinish, AQuoteEndsOnlyWhenNoLineIsLeftOnScreen) {
    const struct {
        int states[3];
        bool finished;
    } cases[] = {
        {{4, 4, 4}, true},
        {{4, 4, 3}, false},
        {{2, 4, 4}, false},  // a long line above a short last line is still there
        {{3, 4, 4}, false},
        {{0, 0, 0}, false},
    };
    for (const auto& c : cases) {
        cQuotesSprite label("quotesLabel", cQuotesSprite::kLabelColor);
        label.setLines({"one", "two", "three"}, nullptr);
        label.dimState = c.states[0];
        label.nextLine->dimState = c.states[1];
        label.nextLine->nextLine->dimState = c.states[2];
        EXPECT_EQ(label.quoteFinished(), c.finished) << c.states[0] << c.states[1] << c.states[2];
    }
}

}  // namespace
