#include "system/locale_territory.h"

#include <cctype>
#include <cstddef>

namespace {
constexpr std::size_t kCountryCodeLength = 2;

bool isSubtagEnd(char c) { return c == '-' || c == '_'; }

// Two letters in one case ("at" -> "AT" upper); anything else -> empty.
std::string twoLetters(const std::string& text, bool upper) {
    if (text.size() != kCountryCodeLength) return {};
    std::string code;
    for (const char c : text) {
        if (!std::isalpha(static_cast<unsigned char>(c))) return {};
        const int letter = static_cast<unsigned char>(c);
        code += static_cast<char>(upper ? std::toupper(letter) : std::tolower(letter));
    }
    return code;
}
}  // namespace

std::string isoCountryCode(const std::string& text) { return twoLetters(text, true); }

std::string languageOfLocaleName(const std::string& locale) {
    return twoLetters(locale.substr(0, locale.find_first_of("-_.@")), false);
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
