// The About page's language choice: "as the system" stores nothing, so the
// system's language decides; a language stores its code.
#include "settings/language_choice.h"
#include "settings/localisation.h"
#include "settings/setting_keys.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

const std::map<std::string, std::string> kInstalled{{"DE", "German"}, {"EL", "Greek"}, {"EN", "English"}};

TEST(LanguageChoice, ListsTheSystemFirstThenEachInstalledLanguage) {
    const std::vector<sLanguageOption> options = languageOptions(kInstalled);
    ASSERT_EQ(options.size(), 4u);
    EXPECT_EQ(options[0].code, "");
    EXPECT_EQ(options[0].label, "As the system");
    EXPECT_EQ(options[1].code, "DE");
    EXPECT_EQ(options[1].label, "German");
    EXPECT_EQ(options[3].code, "EN");
}

TEST(LanguageChoice, TheStoredChoiceIsSelectedAndAChangeIsStoredOrForgotten) {
    const std::vector<sLanguageOption> options = languageOptions(kInstalled);
    const struct {
        const char* stored;  // null: nothing stored
        std::size_t selected;
    } cases[] = {{nullptr, 0}, {"DE", 1}, {"EN", 3}, {"PT", 0}};  // Portuguese is not installed
    for (const auto& c : cases) {
        keslKeyValue store;
        if (c.stored) store.setString("interfaceLang", c.stored);
        const keslStringSetting setting(store, settingKeys::interfaceLang);
        EXPECT_EQ(selectedLanguageOption(options, setting), c.selected) << (c.stored ? c.stored : "(none)");
    }

    keslKeyValue store;
    keslStringSetting setting(store, settingKeys::interfaceLang);
    storeLanguageOption(options[2], setting);
    EXPECT_EQ(store.getString("interfaceLang", ""), "EL");
    storeLanguageOption(options[0], setting);
    EXPECT_FALSE(store.hasKey("interfaceLang"));
    // With nothing stored, the system's language decides again.
    TempFolder folder;
    writeFile(folder.file("Orvanel.DE.txt"), "trn.Moon=Mond\r\n");
    EXPECT_EQ(chooseInterfaceLanguage(setting, "de", folder.path()), "DE");
}

}  // namespace
