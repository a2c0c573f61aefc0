// The country of a locale's name in POSIX and Windows spellings.
#include "system/locale_territory.h"

#include <gtest/gtest.h>

namespace {

TEST(LocaleTerritory, TakesTheCountryFromEitherSystemsSpelling) {
    const struct {
        const char* locale;
        const char* country;
    } cases[] = {
        {"de_AT.UTF-8", "AT"}, {"de-AT", "AT"},       {"it_IT", "IT"},        {"nb_NO.utf8@euro", "NO"},
        {"sr_RS@latin", "RS"}, {"sr-Latn-RS", "RS"},  {"zh-Hans-CN", "CN"},   {"en_us", "US"},
        {"C", ""},             {"POSIX", ""},         {"C.UTF-8", ""},        {"en", ""},
        {"es-419", ""},        {"", ""},              {"de_", ""},            {"de_A1", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(territoryOfLocaleName(c.locale), c.country) << c.locale;
    }
}

TEST(LocaleLanguage, TakesTheLanguageFromEitherSystemsSpelling) {
    const struct {
        const char* locale;
        const char* language;
    } cases[] = {
        {"de_AT.UTF-8", "de"}, {"el_GR.UTF-8", "el"}, {"de-AT", "de"}, {"sr-Latn-RS", "sr"},
        {"IT", "it"},          {"es-419", "es"},      {"fr@euro", "fr"}, {"C", ""},
        {"C.UTF-8", ""},       {"POSIX", ""},         {"fil_PH", ""},    {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(languageOfLocaleName(c.locale), c.language) << c.locale;
}

}  // namespace
