// Every text a person reads goes through the language files: each key the
// program asks for (a page template's text, a key in the code, the moon's
// words, the names on the real sky) is in each shipped language's file, and
// each translation keeps the blanks ("{date}") its English sentence fills.
#include "astro/solar_system.h"
#include "astro/meteor_showers.h"
#include "astro/star_catalogue.h"
#include "moon/moon_words.h"
#include "settings/localisation.h"
#include "settings/power_page_logic.h"
#include "support/temp_folder.h"
#include "util/file_system.h"
#include "world/real_sky_sprite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace fs = keslFileSystemMini;

namespace {

const char* const kLanguages[] = {"EN", "DE", "EL", "ES", "FR", "IT"};

void addMatches(const std::string& text, const std::regex& pattern, const std::string& prefix, std::set<std::string>& keys) {
    for (std::sregex_iterator m(text.begin(), text.end(), pattern), end; m != end; ++m) {
        if ((*m)[1].length() > 0) keys.insert(prefix + (*m)[1].str());
    }
}

// Quoted texts of the page templates (captions and controls), as the sheet looks them up.
void addTemplateTexts(std::set<std::string>& keys) {
    const std::string templates = readFile(std::string(ORVANEL_SOURCE_ROOT) + "/resources/sheet_pages.rc");
    ASSERT_FALSE(templates.empty());
    std::string body;
    std::istringstream lines(templates);
    for (std::string line; std::getline(lines, line);) {
        const std::string trimmed = fs::trim(line);
        if (trimmed.rfind("//", 0) == 0 || trimmed.rfind("#", 0) == 0) continue;
        body += trimmed + "\n";
    }
    addMatches(body, std::regex(R"re("([^"]*)")re"), "trn.", keys);
    keys.erase("trn.SysLink");
}

// "trn.…" keys and localised("…") texts written anywhere in the code.
void addCodeKeys(std::set<std::string>& keys) {
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(ORVANEL_SOURCE_ROOT) + "/src")) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".cpp" && extension != ".h") continue;
        const std::string code = readFile(entry.path().string());
        ++files;
        // The regular expressions are slow on the large generated tables, which name no key.
        if (code.find("trn.") == std::string::npos && code.find("localised(") == std::string::npos) continue;
        addMatches(code, std::regex(R"re("trn\.([^"]+)")re"), "trn.", keys);
        addMatches(code, std::regex(R"re(localised\("([^"]+)"\))re"), "trn.", keys);
    }
    ASSERT_GT(files, 100u);
}

std::set<std::string> keysTheProgramAsks(std::map<std::string, std::string>& english) {
    std::set<std::string> keys;
    addTemplateTexts(keys);
    addCodeKeys(keys);
    moonWordsIn([&](const std::string& key, const std::string& text) {
        keys.insert(key);
        english[key] = text;
        return text;
    });
    for (const keslPowerStep& step : kPowerSteps) keys.insert(std::string("trn.") + step.label);
    const sStarCatalogue& catalogue = builtInStarCatalogue();
    for (std::size_t star = 0; star < catalogue.countBrighterThan(cRealSkySprite::kNamedStarMagnitude); ++star) {
        if (const char* name = catalogue.nameOf(star)) keys.insert(std::string("trn.") + name);
    }
    for (std::size_t c = 0; c < catalogue.constellationCount; ++c) {
        keys.insert(std::string("trn.") + catalogue.constellations[c].name);
    }
    for (eSolarBody body : {eSolarBody::mercury, eSolarBody::venus, eSolarBody::mars, eSolarBody::jupiter,
                            eSolarBody::saturn, eSolarBody::uranus, eSolarBody::neptune}) {
        keys.insert(std::string("trn.") + solarBodyName(body));
    }
    for (const sMeteorShower& shower : kMeteorShowers) keys.insert(std::string("trn.") + shower.name);
    return keys;
}

// A date may show its day with or without a leading zero: both are the day.
std::set<std::string> blanksOf(const std::string& text) {
    std::set<std::string> blanks;
    addMatches(text, std::regex(R"re(\{([a-z]+)[0-9]?\})re"), "", blanks);
    return blanks;
}

TEST(TranslationKeys, EveryShippedLanguageTranslatesEveryKeyTheProgramAsks) {
    std::map<std::string, std::string> english;
    const std::set<std::string> keys = keysTheProgramAsks(english);
    // The moon's, the sheet's, the names': far more than the page titles alone.
    ASSERT_GT(keys.size(), 180u);
    EXPECT_EQ(keys.count("trn.Moon size"), 1u);
    EXPECT_EQ(keys.count("trn.Sirius"), 1u);
    EXPECT_EQ(keys.count("trn.Date and time"), 1u);
    const std::string folder = fs::getModuleFolder();
    for (const char* code : kLanguages) {
        keslLocalisation language;
        language.setLanguageAndFilespec(code, folder.c_str());
        for (const std::string& key : keys) {
            ASSERT_TRUE(language.hasTranslation(key.c_str())) << code << " has no " << key;
            const std::string text = language.translate(key.c_str());
            EXPECT_FALSE(text.empty()) << code << " " << key;
            const auto sentence = english.find(key);
            if (sentence == english.end()) continue;
            EXPECT_EQ(blanksOf(text), blanksOf(sentence->second)) << code << " " << key << ": " << text;
        }
    }
}

// The translations a reader meets first, in each language's own words.
TEST(TranslationKeys, ShippedFilesSpeakTheirLanguage) {
    const struct {
        const char* language;
        const char* key;
        const char* text;
    } cases[] = {
        {"DE", "trn.Moon", "Mond"},
        {"DE", "trn.Date and time", "{day}. {month}, {hour}:{minute}"},
        {"FR", "trn.Date and time", "{day} {month}, {hour}:{minute}"},
        {"FR", "trn.April", "avril"},
        {"EL", "trn.Moon", "\xCE\xA3\xCE\xB5\xCE\xBB\xCE\xAE\xCE\xBD\xCE\xB7"},  // Σελήνη
        {"DE", "trn.Sirius", "Sirius"},
        {"EN", "trn.Sounds", "Sounds"},
    };
    const std::string folder = fs::getModuleFolder();
    for (const auto& c : cases) {
        keslLocalisation language;
        language.setLanguageAndFilespec(c.language, folder.c_str());
        EXPECT_STREQ(language.translate(c.key), c.text) << c.language << " " << c.key;
    }
}

}  // namespace
