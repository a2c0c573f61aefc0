// The user's file as editors and accidents leave it: every line ending,
// byte-order marks, control bytes, endless lines, huge files, garbage.
#include "quotes/quotes.h"
#include "quotes/user_quotes_reader.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> read(const std::string& bytes, size_t piece) {
    cUserQuotesReader reader;
    for (size_t at = 0; at < bytes.size(); at += piece) reader.feed(bytes.data() + at, std::min(piece, bytes.size() - at));
    reader.finish();
    return reader.takeQuotes();
}

using Lines = std::vector<std::string>;

TEST(UserQuotesReader, ReadsLinesAsEditorsWriteThemInPiecesOfAnySize) {
    const std::string apostrophe = "\xE2\x80\x99";
    const struct {
        const char* what;
        std::string bytes;
        Lines quotes;
    } cases[] = {
        {"LF, CR LF and lone CR", "a\nb\r\nc\rd", {"a", "b", "c", "d"}},
        {"blank lines skipped, ends trimmed", "\n  \n\t\n x|y \n\n", {"x|y"}},
        {"byte-order mark dropped", "\xEF\xBB\xBFI" + apostrophe + "m here\n", {"I" + apostrophe + "m here"}},
        {"a lone mark byte is text", "\xEF" "a\n", {"\xEF" "a"}},
        {"NUL and control bytes become spaces", std::string("a\0b\x01" "c\x1B\x7F" "d", 8), {"a b c  d"}},
        {"empty file", "", {}},
        {"only a mark", "\xEF\xBB\xBF", {}},
    };
    for (const auto& c : cases) {
        for (size_t piece : {1u, 2u, 3u, 64u}) {
            EXPECT_EQ(read(c.bytes, piece), c.quotes) << c.what << ", pieces of " << piece;
        }
    }
}

TEST(UserQuotesReader, LongLinesAreCutOnACharacterBoundaryAndNamed) {
    // 511 ASCII bytes, then an apostrophe that would straddle the 512-byte limit.
    const std::string longLine = std::string(511, 'x') + "\xE2\x80\x99" + std::string(100, 'y');
    cUserQuotesReader reader;
    const std::string bytes = "short\r\n" + longLine + "\r\n" + std::string(600, 'z');
    reader.feed(bytes.data(), bytes.size());
    reader.finish();
    const Lines quotes = reader.takeQuotes();
    ASSERT_EQ(quotes.size(), 3u);
    EXPECT_EQ(quotes[1], std::string(511, 'x'));
    EXPECT_EQ(quotes[2], std::string(512, 'z'));
    EXPECT_EQ(reader.cutLines(), (std::vector<long>{2, 3}));
}

TEST(UserQuotesFile, HugeOrDamagedFilesLoadWithinLimitsAndSayWhatWasLeftOut) {
    TempFolder folder;
    const std::string path = folder.file("userQuotes.txt");

    std::string manyLines;
    for (int i = 0; i < 100000; ++i) manyLines += "quote number " + std::to_string(i) + "|by nobody\n";
    writeFile(path, manyLines);
    {
        LogCapture log;
        cQuotes quotes(path);
        EXPECT_EQ(quotes.quotesList().size(), 347u + 100000u);
        EXPECT_STREQ(quotes.quotesList().back().text, "quote number 99999|by nobody");
        EXPECT_TRUE(log.contains("99900 more user quotes added"));
        // One line per quote would make the log as large as the file.
        EXPECT_LT(log.contents().size(), 20000u);
    }

    writeFile(path, "before\n" + std::string(1024 * 1024, 'w') + "\nafter\n");
    {
        LogCapture log;
        cQuotes quotes(path);
        ASSERT_EQ(quotes.quotesList().size(), 350u);
        EXPECT_EQ(std::string(quotes.quotesList()[348].text), std::string(512, 'w'));
        EXPECT_STREQ(quotes.quotesList()[349].text, "after");
        EXPECT_TRUE(log.contains("user quote in line 2 is longer than 512 bytes and was cut"));
    }

    std::string garbage;
    unsigned state = 12345;
    for (int i = 0; i < 300000; ++i) {
        state = state * 1103515245u + 12345u;
        garbage.push_back(static_cast<char>(state >> 16));
    }
    writeFile(path, garbage);
    {
        cQuotes quotes(path);
        for (size_t i = 347; i < quotes.quotesList().size(); ++i) {
            const std::string text = quotes.quotesList()[i].text;
            ASSERT_FALSE(text.empty());
            ASSERT_LE(text.size(), 512u);
            for (char c : text) ASSERT_FALSE(static_cast<unsigned char>(c) < 0x20);
        }
    }
}

TEST(UserQuotesFile, AFileBeyondTheQuoteLimitKeepsTheFirstOnesAndSaysSo) {
    TempFolder folder;
    const std::string path = folder.file("userQuotes.txt");
    std::string lines;
    for (int i = 0; i < 100005; ++i) lines += std::to_string(i) + "\n";
    writeFile(path, lines);
    LogCapture log;
    cQuotes quotes(path);
    EXPECT_EQ(quotes.userQuoteCount(), 100000u);
    EXPECT_STREQ(quotes.quotesList().back().text, "99999");
    EXPECT_TRUE(log.contains("the user quotes file is too large"));
}

}  // namespace
