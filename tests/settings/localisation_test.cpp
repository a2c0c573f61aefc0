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
    EXPECT_EQ(installed, (std::map<std::string, std::string>{{"DE", "Deutsch"}, {"EN", "English"}}));
}

// Old files are 8-bit in their language's code page, new ones UTF-8 with a
// mark; every one comes out as UTF-8, so Greek survives any system's code page.
TEST_F(Localisation, EveryFileEncodingReadsAsUtf8) {
    const struct {
        const char* language;
        std::string file;
        const char* moon;
    } cases[] = {
        {"EL", "trn.Moon=\xD3\xE5\xEB\xE7\xED\xE7\r\n", "\xCE\xA3\xCE\xB5\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB7"},
        {"EL", "\xEF\xBB\xBFtrn.Moon=\xCE\xA3\xCE\xB5\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB7\r\n",
         "\xCE\xA3\xCE\xB5\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB7"},
        {"DE", "trn.Moon=Mondgr\xF6\xDF" "e\r\n", "Mondgr\xC3\xB6\xC3\x9F" "e"},
        {"DE", "trn.Moon=Mondgr\xC3\xB6\xC3\x9F" "e\r\n", "Mondgr\xC3\xB6\xC3\x9F" "e"},
        {"FR", "trn.Moon=\x80 \x85\r\n", "\xE2\x82\xAC \xE2\x80\xA6"},
        {"EL", "trn.Moon=\xFF\r\n", "\xEF\xBF\xBD"},  // a byte Windows-1253 leaves undefined
    };
    for (const auto& c : cases) {
        writeTranslations(c.language, c.file);
        keslLocalisation language;
        language.setLanguageAndFilespec(c.language, folder.path().c_str());
        EXPECT_STREQ(language.translate("trn.Moon"), c.moon) << c.language << ": " << c.file;
    }
}

// Installed on Linux the program is in /usr/libexec/xscreensaver and its
// texts in /usr/share/orvanel; built, they sit beside it.
TEST_F(Localisation, TranslationsAreFoundBesideTheProgramOrInItsShareFolder) {
    const std::string program = folder.file("libexec/xscreensaver/");
    const std::string share = folder.file("share/orvanel/");
    for (const std::string& path : {folder.file("libexec"), program, folder.file("share"), share}) fs::createFolder(path);
    EXPECT_EQ(translationFolderNear(program), program) << "no files anywhere";
    writeFile(share + "Orvanel.EN.txt", "trn.Moon=Moon\r\n");
    EXPECT_EQ(translationFolderNear(program), program + "../../share/orvanel/");
    writeFile(program + "Orvanel.EN.txt", "trn.Moon=Moon\r\n");
    EXPECT_EQ(translationFolderNear(program), program);
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
