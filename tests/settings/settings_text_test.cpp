#include "settings/settings_text.h"

#include <gtest/gtest.h>

#include <random>

namespace {

keslKeyValueMap parse(const std::string& text) { return parseSettingsText(text).entries; }

TEST(SettingsText, EqualsSignIsEscapedAndComesBack) {
    EXPECT_EQ(formatSettingsText({{"k", "a=b"}}), "k=a\\=b\r\n");
    EXPECT_EQ(parse("k=a\\=b\r\n").at("k"), "a=b");
}

TEST(SettingsText, WindowsPathWithLettersOfEscapesSurvivesARoundTrip) {
    const std::string path = "C:\\Users\\me\\night\\temp\\rain\\=x\\";
    EXPECT_EQ(parse(formatSettingsText({{"folder", path}})).at("folder"), path);
    EXPECT_EQ(formatSettingsText({{"f", "C:\\night"}}), "f=C:\\\\night\r\n");
}

TEST(SettingsText, TwoLineValueIsStoredOnOneLine) {
    EXPECT_EQ(formatSettingsText({{"m", "x\ny"}}), "m=x\\ny\r\n");
    EXPECT_EQ(formatSettingsText({{"m", "x\r\ny\tz"}}), "m=x\\r\\ny\\tz\r\n");
    EXPECT_EQ(parse("m=x\\ny\r\n").at("m"), "x\ny");
}

TEST(SettingsText, UnknownEscapesAndALoneTrailingBackslashStandForThemselves) {
    EXPECT_EQ(unescapeSettingsValue("a\\qb"), "a\\qb");
    EXPECT_EQ(unescapeSettingsValue("end\\"), "end\\");
    EXPECT_EQ(unescapeSettingsValue("\\\\n"), "\\n");
}

TEST(SettingsText, LinesAreWrittenInUnsignedByteOrderOfKeys) {
    const keslKeyValueMap entries{{"b", "2"}, {"a", "1"}, {"ab", "3"}, {"\xE9t\xE9", "4"}, {"Z", "5"}};
    EXPECT_EQ(formatSettingsText(entries), "Z=5\r\na=1\r\nab=3\r\nb=2\r\n\xE9t\xE9=4\r\n");
}

TEST(SettingsText, ByteOrderMarkIsDroppedFromTheFirstKey) {
    const keslKeyValueMap entries = parse("\xEF\xBB\xBFinterfaceLang=DE\r\nmoonSize=100\r\n");
    EXPECT_EQ(entries.at("interfaceLang"), "DE");
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_EQ(parse("\xEF\xBB\xBF\xEF\xBB\xBFk=1").count("k"), 1u);
}

TEST(SettingsText, LineEndsAreReadAsATextModeReaderSeesThem) {
    const keslKeyValueMap entries = parse("a=1\nb=2\r\nc=3");
    EXPECT_EQ(entries, (keslKeyValueMap{{"a", "1"}, {"b", "2"}, {"c", "3"}}));
    EXPECT_EQ(parse("a=x\ry\r\n").at("a"), "x\ry");
}

TEST(SettingsText, TextWithoutEqualsJoinsTheNextKeyAndLaterKeysWin) {
    const keslSettingsParseResult parsed = parseSettingsText("junk\r\nk=1\r\nk=2\r\ntail");
    EXPECT_EQ(parsed.entries, (keslKeyValueMap{{"junk\nk", "1"}, {"k", "2"}}));
    EXPECT_EQ(parsed.ignoredTrailingBytes, 4u);
}

TEST(SettingsText, NulBytesAndEmptyPartsAreKept) {
    const char raw[] = "k\0ey=v\0al\r\n=empty key\r\nnovalue=\r\n";
    const std::string text(raw, sizeof raw - 1);
    const keslKeyValueMap entries = parse(text);
    EXPECT_EQ(entries.at(std::string("k\0ey", 4)), std::string("v\0al", 4));
    EXPECT_EQ(entries.at(""), "empty key");
    EXPECT_EQ(entries.at("novalue"), "");
}

TEST(SettingsText, AHugeLineLoadsWhole) {
    const std::string big(10 * 1024 * 1024, 'x');
    const keslKeyValueMap entries = parse("big=" + big + "\r\nafter=1\r\n");
    EXPECT_EQ(entries.at("big").size(), big.size());
    EXPECT_EQ(entries.at("after"), "1");
}

TEST(SettingsText, RandomBytesLoadAndSaveToTheSameEntries) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 200; ++round) {
        std::string noise(static_cast<size_t>(round * 37 % 3000), '\0');
        for (char& c : noise) c = static_cast<char>(byte(random));
        const keslKeyValueMap once = parse(noise);
        EXPECT_EQ(parse(formatSettingsText(once)), once) << "round " << round;
    }
}

}  // namespace
