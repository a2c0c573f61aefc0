// The built-in collection as shipped, the user's file as users write it, and
// the random choice that drops unwanted categories.
#include "quotes/quote_choice.h"
#include "quotes/quote_table.h"
#include "quotes/quotes.h"
#include "settings/key_value.h"
#include "sprites/random.h"
#include "support/fake_system.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "util/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = keslFileSystemMini;

std::map<int, int> countByCategory(const sQuote* begin, const sQuote* end) {
    std::map<int, int> counts;
    for (const sQuote* q = begin; q != end; ++q) ++counts[q->category];
    return counts;
}

std::vector<sQuote> builtIn() {
    std::vector<sQuote> all(std::begin(kFirstBlockQuotes), std::end(kFirstBlockQuotes));
    all.insert(all.end(), std::begin(kMainBlockQuotes), std::end(kMainBlockQuotes));
    return all;
}

// A row of that category whose text is textWithoutAuthor and then one author line.
bool hasRow(int category, const std::string& textWithoutAuthor) {
    const std::vector<sQuote> all = builtIn();
    return std::any_of(all.begin(), all.end(), [&](const sQuote& q) {
        const std::string text = q.text;
        return q.category == category && text.compare(0, textWithoutAuthor.size(), textWithoutAuthor) == 0 &&
               text.find('|', textWithoutAuthor.size()) == std::string::npos && text[textWithoutAuthor.size()] == '(';
    });
}

TEST(QuoteTable, BlocksHoldTheFixedNumbersPerCategory) {
    const std::map<int, int> first = countByCategory(std::begin(kFirstBlockQuotes), std::end(kFirstBlockQuotes));
    const std::map<int, int> main = countByCategory(std::begin(kMainBlockQuotes), std::end(kMainBlockQuotes));
    EXPECT_EQ(first, (std::map<int, int>{{1, 11}, {2, 13}, {3, 5}, {4, 7}, {5, 10}, {8, 3}}));
    std::map<int, int> total = first;
    for (const auto& [category, count] : main) total[category] += count;
    EXPECT_EQ(total, (std::map<int, int>{{1, 68}, {2, 143}, {3, 14}, {4, 55}, {5, 38}, {8, 29}}));
    EXPECT_EQ(std::size(kFirstBlockQuotes) + std::size(kMainBlockQuotes), 347u);
}

TEST(QuoteTable, EveryTextFitsTheLabelNamesItsAuthorAndIsThereOnce) {
    std::set<std::string> seen;
    int withTypographicApostrophe = 0;
    for (const sQuote& q : builtIn()) {
        const std::string text = q.text;
        SCOPED_TRACE(text);
        EXPECT_LE(text.size(), 136u);
        const std::vector<std::string> lines = fs::splitByBar(text);
        EXPECT_GE(lines.size(), 1u);
        EXPECT_LE(lines.size(), 4u);
        for (const std::string& line : lines) EXPECT_FALSE(line.empty());
        EXPECT_EQ(lines.back().front(), '(');
        EXPECT_EQ(lines.back().back(), ')');
        EXPECT_TRUE(seen.insert(text).second);
        if (text.find("\xE2\x80\x99") != std::string::npos) ++withTypographicApostrophe;
        // Only the apostrophe's bytes lie outside ASCII.
        std::string rest = text;
        for (size_t at = rest.find("\xE2\x80\x99"); at != std::string::npos; at = rest.find("\xE2\x80\x99")) {
            rest.erase(at, 3);
        }
        EXPECT_TRUE(std::all_of(rest.begin(), rest.end(), [](char c) { return c >= 0x20 && c < 0x7F; }));
    }
    EXPECT_EQ(withTypographicApostrophe, 9);
}

TEST(QuoteTable, HoldsTheTellingRows) {
    EXPECT_TRUE(hasRow(2, "Laws control the lesser man|Right conduct controls the greater one|"));
    EXPECT_TRUE(hasRow(5, "It is better to keep your mouth shut and appear stupid|than to open it and remove all doubt|"));
    EXPECT_TRUE(hasRow(4, "Never ruin an apology with an excuse|"));
    EXPECT_TRUE(hasRow(1, "At the touch of love, everyone becomes a poet|"));
    EXPECT_TRUE(hasRow(8, "Those who are at war with others|are not at peace with themselves|"));
}

TEST(Quotes, AFirstRunCreatesTheFolderAndAnEmptyFileAndHoldsTheBuiltInQuotes) {
    FakeSystem system;
    TempFolder folder;
    system.appData = folder.path();
    LogCapture log;
    const std::string path = userQuotesFilePath();
    EXPECT_EQ(path, fs::joinPath(fs::joinPath(folder.path(), "Orvanel software"), "userQuotes.txt"));

    cQuotes quotes(path);
    EXPECT_TRUE(fs::folderExists(fs::joinPath(folder.path(), "Orvanel software")));
    EXPECT_TRUE(fs::fileExists(path));
    EXPECT_EQ(readFile(path), "");
    EXPECT_EQ(quotes.quotesList().size(), 347u);
    EXPECT_TRUE(log.contains("loading user quotes from file:" + path));
    EXPECT_TRUE(log.contains("cQuotes::quotesList() loaded 347 quotes"));
}

// The choice draws from the C library's generator: a fixed seed (after the
// program's own seeding, which would otherwise come later) makes the draws,
// and with them the categories met and dropped, the same on every run.
void seedTheDrawsFixed() {
    keslSeedRandomOnce();
    std::srand(20261219);
}

TEST(Quotes, UserLinesFollowTheBuiltInOnesAndOnlyAllowedCategoriesAreChosen) {
    seedTheDrawsFixed();
    TempFolder folder;
    writeFile(folder.file("userQuotes.txt"), "first\n\nsecond|line\r\n\r\nthird");
    LogCapture log;
    cQuotes quotes(folder.file("userQuotes.txt"));
    ASSERT_EQ(quotes.quotesList().size(), 350u);
    EXPECT_STREQ(quotes.quotesList()[347].text, "first");
    EXPECT_STREQ(quotes.quotesList()[348].text, "second|line");
    EXPECT_STREQ(quotes.quotesList()[349].text, "third");
    EXPECT_EQ(quotes.quotesList()[349].category, 10);
    EXPECT_TRUE(log.contains("Adding user quote:second|line"));

    const std::set<std::string> userLines{"first", "second|line", "third"};
    for (int i = 0; i < 50; ++i) EXPECT_EQ(userLines.count(quotes.getRandom({10})), 1u);
    // Every other category has been met and dropped by now.
    EXPECT_EQ(quotes.quotesList().size(), 3u);
}

TEST(Quotes, AskingForLoveOnlyLeavesOnlyLoveInTheList) {
    seedTheDrawsFixed();
    cQuotes quotes(TempFolder().file("userQuotes.txt"));
    for (int i = 0; i < 40; ++i) {
        const std::string text = quotes.getRandom({1});
        ASSERT_TRUE(hasRow(1, text.substr(0, text.rfind('|') + 1))) << text;
    }
    EXPECT_EQ(quotes.quotesList().size(), 68u);
    EXPECT_TRUE(std::all_of(quotes.quotesList().begin(), quotes.quotesList().end(),
                            [](const sQuote& q) { return q.category == 1; }));
}

TEST(Quotes, SpecialTextsWhenNothingCanBeChosen) {
    cQuotes quotes(TempFolder().file("userQuotes.txt"));
    EXPECT_STREQ(quotes.getRandom({}), "empty allowedCategories");
    // Only user quotes allowed and none there: every category goes, then nothing is left.
    EXPECT_STREQ(quotes.getRandom({10}), "");
    EXPECT_TRUE(quotes.quotesList().empty());
    EXPECT_STREQ(quotes.getRandom({10}), "empty quotesDynamicList");
}

TEST(QuoteChoice, CategoriesFollowTheSettingsInTheLabelsOrder) {
    keslKeyValueStr store;
    cQuoteSettings settings(store);
    settings.userQuotes.set(true);
    EXPECT_EQ(allowedQuoteCategories(settings), (std::vector<std::int32_t>{4, 2, 8, 3, 5, 1, 10}));

    TempFolder folder;
    const std::string file = folder.file("userQuotes.txt");
    cQuotes empty(file);
    auto builtInOff = [&] {
        for (keslBoolSetting* s : {&settings.love, &settings.wisdom, &settings.advice, &settings.funny,
                                   &settings.womenVsMen, &settings.peace}) {
            s->set(false);
        }
    };
    int asked = 0;
    EXPECT_TRUE(quotesEnabled(settings, [&]() -> const cQuotes& { return ++asked, empty; }));
    EXPECT_EQ(asked, 0);
    builtInOff();
    settings.peace.set(true);
    EXPECT_EQ(allowedQuoteCategories(settings), (std::vector<std::int32_t>{8, 10}));
    settings.peace.set(false);
    EXPECT_FALSE(quotesEnabled(settings, [&]() -> const cQuotes& { return empty; }));
    writeFile(file, "mine\n");
    cQuotes withOne(file);
    EXPECT_TRUE(quotesEnabled(settings, [&]() -> const cQuotes& { return withOne; }));
    settings.userQuotes.set(false);
    EXPECT_FALSE(quotesEnabled(settings, [&]() -> const cQuotes& { return withOne; }));
}

}  // namespace
