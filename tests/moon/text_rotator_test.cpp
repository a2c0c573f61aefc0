#include "moon/text_rotator.h"

#include <gtest/gtest.h>

namespace {

std::string typeToTheEnd(cTextRotator& rotator, int& steps) {
    steps = 0;
    while (rotator.isChanged()) {
        rotator.typewriterStep();
        ++steps;
    }
    return rotator.displayedText();
}

TEST(TextRotator, TheFirstLineAddedIsCurrentAndTypedFromEmpty) {
    cTextRotator rotator;
    EXPECT_FALSE(rotator.isChanged());
    rotator.addLine("abc");
    rotator.addLine("second");
    EXPECT_EQ(rotator.currentLine(), "abc");
    EXPECT_TRUE(rotator.isChanged());

    EXPECT_EQ(rotator.typewriterStep(), "a");
    EXPECT_TRUE(rotator.isTyping());
    EXPECT_EQ(rotator.typewriterStep(), "ab");
    EXPECT_EQ(rotator.typewriterStep(), "abc");
    EXPECT_EQ(rotator.typewriterStep(), "abc");
    EXPECT_FALSE(rotator.isTyping());
    EXPECT_FALSE(rotator.isChanged());
    EXPECT_EQ(rotator.typewriterStep(), "abc");
}

TEST(TextRotator, ASingleLineNeverRotates) {
    cTextRotator rotator;
    rotator.addLine("only");
    int steps = 0;
    typeToTheEnd(rotator, steps);
    rotator.advance(4001);
    rotator.advance(9000);
    EXPECT_FALSE(rotator.isChanged());
    EXPECT_EQ(rotator.currentLine(), "only");
}

TEST(TextRotator, TwoLinesSwitchOnceMoreThanFourSecondsHaveAccumulated) {
    cTextRotator rotator;
    rotator.addLine("first");
    rotator.addLine("second");
    int steps = 0;
    typeToTheEnd(rotator, steps);

    rotator.advance(2000);
    rotator.advance(2000);
    EXPECT_EQ(rotator.currentLine(), "first");
    EXPECT_FALSE(rotator.isChanged());

    rotator.advance(1);
    EXPECT_EQ(rotator.currentLine(), "second");
    EXPECT_TRUE(rotator.isChanged());
    EXPECT_EQ(rotator.displayedText(), "first");  // typing starts on the next step

    typeToTheEnd(rotator, steps);
    rotator.advance(4001);
    EXPECT_EQ(rotator.currentLine(), "first");
}

TEST(TextRotator, AShorterLineOverwritesThenCutsTheOldTail) {
    cTextRotator rotator;
    rotator.addLine("123456789012345678901");  // 21 characters
    rotator.addLine("abcdefghijklmnop");       // 16 characters
    int steps = 0;
    typeToTheEnd(rotator, steps);
    rotator.advance(4001);

    for (int i = 1; i <= 16; ++i) {
        const std::string shown = rotator.typewriterStep();
        ASSERT_EQ(shown.size(), 21u) << "step " << i;
        EXPECT_EQ(shown.substr(0, static_cast<std::size_t>(i)), std::string("abcdefghijklmnop").substr(0, i));
    }
    EXPECT_EQ(rotator.displayedText(), "abcdefghijklmnop78901");
    EXPECT_EQ(rotator.typewriterStep(), "abcdefghijklmnop");
    EXPECT_FALSE(rotator.isChanged());
}

TEST(TextRotator, AnEmptyRotatorStaysEmpty) {
    cTextRotator rotator;
    rotator.advance(5000);
    EXPECT_EQ(rotator.typewriterStep(), "");
    EXPECT_FALSE(rotator.hasLines());
}

}  // namespace
