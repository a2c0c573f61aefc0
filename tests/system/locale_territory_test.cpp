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

}  // namespace
