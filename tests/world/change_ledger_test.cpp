// The real sky's list of changes: room set once; past it the whole window is new.
#include "world/change_ledger.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<keslRect<int>> reported(cChangeLedger& ledger) {
    keslDirtyRegion region;
    region.reset(keslRect<int>(0, 0, 1000, 1000));
    ledger.report(region);
    return std::vector<keslRect<int>>(region.begin(), region.end());
}

// Rects far apart, so the region keeps each as it is.
keslRect<int> rectNumber(int i) { return keslRect<int>(100 * i, 100 * i, 5, 5); }

TEST(ChangeLedger, BeyondItsRoomTheWholeWindowIsNewAndTheListStartsAgain) {
    const struct {
        int room, noted;
        std::uint64_t look;
        size_t pending;
    } cases[] = {
        {3, 0, 0, 0}, {3, 3, 0, 3}, {3, 4, 1, 0}, {3, 5, 1, 1}, {3, 8, 2, 0}, {1, 3, 1, 1},
    };
    for (const auto& c : cases) {
        cChangeLedger ledger;
        ledger.reserve(static_cast<size_t>(c.room));
        for (int i = 0; i < c.noted; ++i) ledger.note(rectNumber(i % 8));
        EXPECT_EQ(ledger.look(), c.look) << c.room << " room, " << c.noted << " noted";
        EXPECT_EQ(ledger.pending(), c.pending) << c.room << " room, " << c.noted << " noted";
    }
}

TEST(ChangeLedger, AReportHandsTheRectsOnce) {
    cChangeLedger ledger;
    ledger.reserve(8);
    ledger.note(rectNumber(1));
    ledger.note(rectNumber(3));
    const std::vector<keslRect<int>> first = reported(ledger);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0], rectNumber(1));
    EXPECT_EQ(first[1], rectNumber(3));
    EXPECT_TRUE(reported(ledger).empty()) << "a second report hands nothing again";
    ledger.note(rectNumber(2));
    EXPECT_EQ(reported(ledger).size(), 1u);
    EXPECT_EQ(ledger.look(), 0u);
}

TEST(ChangeLedger, TheWholeWindowBumpsTheLookAndForgetsTheList) {
    cChangeLedger ledger;
    ledger.reserve(8);
    ledger.note(rectNumber(1));
    ledger.wholeWindow();
    EXPECT_EQ(ledger.look(), 1u);
    EXPECT_TRUE(reported(ledger).empty());
    // The room stays: what comes after is listed again.
    for (int i = 0; i < 8; ++i) ledger.note(rectNumber(i));
    EXPECT_EQ(ledger.look(), 1u);
    EXPECT_EQ(reported(ledger).size(), 8u);
}

}  // namespace
