#include "app/wayland/wayland_buffer_damage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The sky region of one output: 400 pixels wide from x = 100.
const keslRect<int> kRegion(0, 100, 400, 300);

std::string owedText(const keslBufferDamage& damage, size_t buffer) {
    if (damage.owesWhole(buffer)) return "whole";
    std::string text;
    for (const keslRect<int>& rect : damage.owed(buffer)) {
        text += (text.empty() ? "" : " ") + std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
                std::to_string(rect.width) + "x" + std::to_string(rect.height);
    }
    return text.empty() ? "nothing" : text;
}

TEST(WaylandBufferDamage, EachBufferTakesTheFramesItMissedAndOnlyInsideItsRegion) {
    keslBufferDamage damage(2);
    EXPECT_EQ(owedText(damage, 0), "whole") << "a new buffer owes everything";
    // Frames alternate between the buffers: 0, 1, 0, 1.
    damage.add(kRegion, {{10, 120, 20, 20}});
    EXPECT_EQ(owedText(damage, 0), "whole");
    damage.paid(0);
    damage.add(kRegion, {{50, 150, 10, 10}});
    damage.paid(1);
    damage.add(kRegion, {{60, 160, 10, 10}});
    EXPECT_EQ(owedText(damage, 0), "150,50 10x10 160,60 10x10") << "the frame shown on the other buffer, then this one";
    damage.paid(0);
    // Outside the region nothing is owed; across its edge only the inside part.
    damage.add(kRegion, {{0, 0, 50, 50}, {290, 480, 60, 30}});
    EXPECT_EQ(owedText(damage, 0), "480,290 20x10");
    EXPECT_EQ(owedText(damage, 1), "160,60 10x10 480,290 20x10");
}

TEST(WaylandBufferDamage, TooManyRectanglesOrNewBuffersOweTheWholeRegion) {
    keslBufferDamage damage(2);
    damage.paid(0);
    damage.paid(1);
    std::vector<keslRect<int>> many;
    for (int i = 0; i < 513; ++i) many.emplace_back(i % 32 * 2, 100 + i / 32 * 2, 1, 1);
    damage.add(kRegion, many);
    EXPECT_EQ(owedText(damage, 0), "whole");
    damage.paid(0);
    damage.paid(1);
    damage.owesEverything(1);
    EXPECT_EQ(owedText(damage, 1), "whole");
    EXPECT_EQ(owedText(damage, 0), "nothing") << "only the new buffer owes the whole region";
}

}  // namespace
