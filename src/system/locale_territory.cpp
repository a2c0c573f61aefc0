#include "system/locale_territory.h"

#include <cctype>
#include <cstddef>

namespace {
constexpr std::size_t kCountryCodeLength = 2;

bool isSubtagEnd(char c) { return c == '-' || c == '_'; }
}  // namespace

std::string isoCountryCode(const std::string& text) {
    if (text.size() != kCountryCodeLength) return {};
    std::string code;
    for (const char c : text) {
        if (!std::isalpha(static_cast<unsigned char>(c))) return {};
        code += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return code;
}

std::string languageOfLocaleName(const std::string& locale) {
    const std::string code = isoCountryCode(locale.substr(0, locale.find_first_of("-_.@")));
    std::string language;
    for (const char c : code) language += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return language;
}

std::string territoryOfLocaleName(const std::string& locale) {
    // The codeset and modifier follow the subtags that can name a country.
    const std::string tags = locale.substr(0, locale.find_first_of(".@"));
    std::size_t start = tags.find_first_of("-_");
    while (start != std::string::npos) {
        std::size_t next = start + 1;
        while (next < tags.size() && !isSubtagEnd(tags[next])) ++next;
        // A script ("Latn") comes before the country; a numeric region
        // ("419") names no country.
        const std::string code = isoCountryCode(tags.substr(start + 1, next - start - 1));
        if (!code.empty()) return code;
        start = next < tags.size() ? next : std::string::npos;
    }
    return {};
}
