#include "settings/localisation.h"
#include "support/temp_folder.h"
#include "util/file_system.h"

#include <gtest/gtest.h>

#include <string>

namespace fs = keslFileSystemMini;

namespace {

struct Localisation : ::testing::Test {
    TempFolder folder;
    keslLocalisation localisation;

    void writeTranslations(const std::string& code, const std::string& text) {
        writeFile(folder.file(std::string("Orvanel.") + code + ".txt"), text);
    }
};

TEST_F(Localisation, WithoutAFileEveryKeyStandsForItself) {
    localisation.setLanguageAndFilespec("DE", folder.path().c_str(), "ignored");
    EXPECT_STREQ(localisation.translate("trn.Moon"), "trn.Moon");
    EXPECT_STREQ(localisation.translate(nullptr), "null key to translate");
}

TEST_F(Localisation, TranslationsComeFromTheChosenLanguagesFile) {
    writeTranslations("DE", "trn.Moon=Mond\r\ntrn.Two=eins\\nzwei\r\n");
    localisation.setLanguageAndFilespec("DE", folder.path().c_str());
    EXPECT_STREQ(localisation.translate("trn.Moon"), "Mond");
    EXPECT_STREQ(localisation.translate("trn.Two"), "eins\nzwei");
    EXPECT_STREQ(localisation.translate("trn.Sounds"), "trn.Sounds");
    EXPECT_EQ(localisation.translationFilePath("DE"), fs::joinPath(folder.path(), "Orvanel.DE.txt"));
}

TEST_F(Localisation, AnUntranslatedKeyCanFallBackToItsEnglishText) {
    writeTranslations("ES", "trn.Moon=Luna\r\n");
    localisation.setLanguageAndFilespec("ES", folder.path().c_str());
    EXPECT_STREQ(localisation.translateOr("trn.Moon", "Moon"), "Luna");
    localisation.translate("trn.Sky");  // now in the table as its own text
    EXPECT_STREQ(localisation.translateOr("trn.Sky", "Sky"), "Sky");
}

TEST_F(Localisation, TheFileIsReadOnceUntilTheLanguageIsSetAgain) {
    writeTranslations("FR", "trn.Moon=Lune\r\n");
    localisation.setLanguageAndFilespec("FR", folder.path().c_str());
    EXPECT_STREQ(localisation.translate("trn.Moon"), "Lune");
    writeTranslations("FR", "trn.Moon=Astre\r\n");
    EXPECT_STREQ(localisation.translate("trn.Moon"), "Lune");

    localisation.setLanguageAndFilespec("FR", folder.path().c_str());
    EXPECT_STREQ(localisation.translate("trn.Moon"), "Astre");
}

TEST_F(Localisation, ReadingTranslationsNeverWritesTheFile) {
    const std::string original = "\xEF\xBB\xBFtrn.Moon=Luna\n";
    writeTranslations("IT", original);
    localisation.setLanguageAndFilespec("IT", folder.path().c_str());
    EXPECT_STREQ(localisation.translate("trn.Moon"), "Luna");
    EXPECT_EQ(readFile(folder.file("Orvanel.IT.txt")), original);
}

TEST_F(Localisation, InstalledLanguagesAreTheKnownOnesWithAFile) {
    writeTranslations("EN", "trn.Moon=Moon\r\n");
    writeTranslations("DE", "trn.Moon=Mond\r\n");
    writeTranslations("XX", "trn.Moon=?\r\n");
    fs::createFolder(folder.file("Orvanel.FR.txt"));
    localisation.setLanguageAndFilespec("EN", folder.path().c_str());
    const auto& installed = localisation.getInstalledLanguages();
    EXPECT_EQ(installed, (std::map<std::string, std::string>{{"DE", "German"}, {"EN", "English"}}));
}

TEST(ShippedTranslations, EveryKnownLanguageTranslatesTheSheetsPageTitles) {
    keslLocalisation localisation;
    const std::string folder = fs::getModuleFolder();
    localisation.setLanguageAndFilespec("EN", folder.c_str());
    const auto installed = localisation.getInstalledLanguages();
    ASSERT_EQ(installed.size(), 6u) << "translation files beside " << folder;
    for (const auto& [code, name] : installed) {
        keslLocalisation language;
        language.setLanguageAndFilespec(code.c_str(), folder.c_str());
        for (const char* key : {"trn.Moon", "trn.Sounds"}) {
            const std::string text = language.translate(key);
            EXPECT_NE(text, key) << name;
            EXPECT_FALSE(text.empty()) << name;
        }
    }
    keslLocalisation english;
    english.setLanguageAndFilespec("EN", folder.c_str());
    EXPECT_STREQ(english.translate("trn.Sounds"), "Sounds");
    keslLocalisation german;
    german.setLanguageAndFilespec("DE", folder.c_str());
    EXPECT_STREQ(german.translate("trn.Moon"), "Mond");
}

// Without a choice of the user's the interface speaks the system's language,
// where its file is installed beside the program; otherwise English.
TEST_F(Localisation, TheSystemsLanguagePicksTheInterfacesUnlessTheUserChoseOne) {
    writeTranslations("DE", "trn.Moon=Mond\r\n");
    writeTranslations("EL", "trn.Moon=Selene\r\n");
    const struct {
        const char* chosen;  // null: no choice stored
        const char* system;
        const char* language;
    } cases[] = {
        {nullptr, "de", "DE"}, {nullptr, "el", "EL"}, {nullptr, "fr", "EN"},  // French is not installed here
        {nullptr, "ja", "EN"}, {nullptr, "", "EN"},   {"IT", "de", "IT"},     {"EN", "de", "EN"},
    };
    for (const auto& c : cases) {
        keslKeyValue store;
        if (c.chosen) store.setString("interfaceLang", c.chosen);
        const keslStringSetting setting(store, settingKeys::interfaceLang);
        EXPECT_EQ(chooseInterfaceLanguage(setting, c.system, folder.path()), c.language)
            << (c.chosen ? c.chosen : "(none)") << " / " << c.system;
    }
}

}  // namespace
