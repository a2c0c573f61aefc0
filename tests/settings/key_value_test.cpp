#include "settings/key_value.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

// Counts the change notifications a file-bound store would save on.
class CountingStore : public keslKeyValue {
public:
    int changes = 0;

protected:
    void dataHasChanged() override { ++changes; }
};

TEST(KeyValue, StoringTheSameValueAgainIsNotAChange) {
    CountingStore store;
    store.setString("k", "v");
    store.setString("k", "v");
    store.setBool("b", true);
    store.setBool("b", true);
    EXPECT_EQ(store.changes, 2);
    store.setString("k", "w");
    EXPECT_EQ(store.changes, 3);
}

TEST(KeyValue, NullKeysAndValuesChangeNothing) {
    CountingStore store;
    store.setString(nullptr, "v");
    store.setString("k", static_cast<const char*>(nullptr));
    EXPECT_EQ(store.changes, 0);
    EXPECT_FALSE(store.hasKey(nullptr));
    EXPECT_EQ(store.getString(nullptr, "d"), "d");
    EXPECT_EQ(store.getString("missing", nullptr), "");
}

TEST(KeyValue, BoolsAreStoredAsYesAndNoAndReadInEightSpellings) {
    keslKeyValue store;
    store.setBool("t", true);
    store.setBool("f", false);
    EXPECT_EQ(store.getString("t", ""), "yes");
    EXPECT_EQ(store.getString("f", ""), "no");
    for (const char* yes : {"yes", "true", "1", "on"}) {
        store.setString("b", yes);
        EXPECT_TRUE(store.getBool("b", false)) << yes;
    }
    for (const char* no : {"no", "false", "0", "off"}) {
        store.setString("b", no);
        EXPECT_FALSE(store.getBool("b", true)) << no;
    }
}

TEST(KeyValue, UnknownBoolTextGivesTheDefaultCaseCounting) {
    keslKeyValue store;
    store.setString("b", "Yes");
    EXPECT_FALSE(store.getBool("b", false));
    EXPECT_TRUE(store.getBool("b", true));
    EXPECT_TRUE(store.getBool("missing", true));
}

TEST(KeyValue, IntegersAreReadAsFarAsTheyGo) {
    keslKeyValue store;
    store.setString("n", "12abc");
    EXPECT_EQ(store.getInt("n", 7), 12);
    store.setString("n", "abc");
    EXPECT_EQ(store.getInt("n", 7), 7);
    store.setString("n", "  -42 ");
    EXPECT_EQ(store.getInt("n", 7), -42);
    store.setString("n", "");
    EXPECT_EQ(store.getInt("n", 7), 7);
    store.setString("n", "99999999999");
    EXPECT_EQ(store.getInt("n", 7), 7);
    store.setString("n", "-2147483649");
    EXPECT_EQ(store.getInt("n", 7), 7);
    store.setString("n", "+5");
    EXPECT_EQ(store.getInt("n", 7), 5);
    store.setString("n", "- 5");
    EXPECT_EQ(store.getInt("n", 7), 7);
}

TEST(KeyValue, IntegersAreStoredInPlainSignedDecimal) {
    keslKeyValue store;
    store.setInt("n", -2139062017);
    EXPECT_EQ(store.getString("n", ""), "-2139062017");
    store.setInt("n", 0);
    EXPECT_EQ(store.getString("n", ""), "0");
}

TEST(KeyValue, SixtyFourBitValuesKeepEveryDigit) {
    keslKeyValue store;
    const std::int64_t minutes = 29'000'000'123LL;
    store.setInt64("m", minutes);
    EXPECT_EQ(store.getString("m", ""), "29000000123");
    EXPECT_EQ(store.getInt64("m", 0), minutes);
    store.setInt64("m", std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(store.getInt64("m", 0), std::numeric_limits<std::int64_t>::min());
    store.setString("m", "123456789012x");
    EXPECT_EQ(store.getInt64("m", 5), 123456789012LL);
    store.setString("m", "x");
    EXPECT_EQ(store.getInt64("m", 5), 5);
}

TEST(KeyValue, TheSentinelValueReadsAsAMissingKey) {
    keslKeyValue store;
    store.setString("k", keslKeyValue::kNotFoundSentinel);
    EXPECT_TRUE(store.getBool("k", true));
    EXPECT_EQ(store.getInt("k", 3), 3);
    EXPECT_EQ(store.getInt64("k", 4), 4);
    EXPECT_STREQ(keslKeyValue::kNotFoundSentinel, "not-fOunD-there");
}

}  // namespace
