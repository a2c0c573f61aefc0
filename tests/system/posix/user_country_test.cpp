// The POSIX user's country and language come from the locale variables in the order
// setlocale reads them for messages: LC_ALL, LC_MESSAGES, LANG.
#include "system/system_services.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class LocaleVariables {
public:
    LocaleVariables() {
        for (int i = 0; i < kCount; ++i) {
            const char* value = std::getenv(kNames[i]);
            m_had[i] = value != nullptr;
            if (value) m_saved[i] = value;
        }
    }
    ~LocaleVariables() {
        for (int i = 0; i < kCount; ++i) {
            if (m_had[i]) {
                setenv(kNames[i], m_saved[i].c_str(), 1);
            } else {
                unsetenv(kNames[i]);
            }
        }
    }
    // Empty values are unset, as a login without them has.
    void set(const char* all, const char* messages, const char* lang) {
        const char* values[kCount] = {all, messages, lang};
        for (int i = 0; i < kCount; ++i) {
            if (*values[i]) {
                setenv(kNames[i], values[i], 1);
            } else {
                unsetenv(kNames[i]);
            }
        }
    }

private:
    static constexpr int kCount = 3;
    static constexpr const char* kNames[kCount] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    bool m_had[kCount] = {};
    std::string m_saved[kCount];
};

TEST(PosixUserLocale, TheFirstLocaleVariableSetDecidesCountryAndLanguage) {
    const struct {
        const char* all;
        const char* messages;
        const char* lang;
        const char* country;
        const char* language;
    } cases[] = {
        {"", "", "de_AT.UTF-8", "AT", "de"},
        {"", "it_IT.UTF-8", "de_AT.UTF-8", "IT", "it"},
        {"nb_NO.UTF-8", "it_IT.UTF-8", "de_AT.UTF-8", "NO", "nb"},
        {"", "el_GR.UTF-8", "", "GR", "el"},
        // C names neither, and the variables after it are not read.
        {"C.UTF-8", "", "de_AT.UTF-8", "", ""},
        {"", "", "", "", ""},
    };
    LocaleVariables variables;
    for (const auto& c : cases) {
        variables.set(c.all, c.messages, c.lang);
        const keslSystem& system = platformSystemServices();
        EXPECT_EQ(system.userCountry(), c.country) << "LC_ALL=" << c.all << " LC_MESSAGES=" << c.messages << " LANG=" << c.lang;
        EXPECT_EQ(system.userLanguage(), c.language) << "LC_ALL=" << c.all << " LC_MESSAGES=" << c.messages << " LANG=" << c.lang;
    }
}

}  // namespace
