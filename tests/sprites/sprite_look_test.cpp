#include "sprites/sprite_look.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <utility>

namespace {

TEST(SpriteLook, EveryFoldedValueLeavesItsMarkOnTheLook) {
    std::set<std::uint64_t> looks;
    for (std::uint64_t value = 0; value < 4096; ++value) looks.insert(keslMixLook(0, value));
    EXPECT_EQ(looks.size(), 4096u) << "two values gave one look: a sprite changed and was not redrawn";
    EXPECT_NE(keslMixLook(0, 1ull << 63), keslMixLook(0, 0)) << "the top bit counts as much as the bottom one";
}

TEST(SpriteLook, TheOrderOfTheFoldedValuesCounts) {
    // A colour of 1 and an alignment of 2 is another look than a colour of 2 and an alignment of 1.
    const std::pair<std::uint64_t, std::uint64_t> cases[] = {{1, 2}, {0, 7}, {0xFF0000, 0x00FF00}};
    for (const auto& [first, second] : cases) {
        EXPECT_NE(keslMixLook(keslMixLook(5, first), second), keslMixLook(keslMixLook(5, second), first))
            << first << " then " << second;
    }
}

}  // namespace
