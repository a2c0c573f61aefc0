#include "settings/coordinates.h"

#include <charconv>

namespace {

std::string trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The text with "-" as its only sign and "." as its separator, when it follows
// the rule. A fraction without whole degrees (".5") or a separator without a
// fraction ("5.") passes: the Sky page has always kept such values.
bool plainDecimal(const std::string& text, keslDecimalMark mark, std::string& number) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        if (text[at] == '-') number += '-';
        ++at;
    }
    bool digits = false;
    bool separator = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (isDigit(c)) {
            digits = true;
            number += c;
            continue;
        }
        const bool isSeparator = c == '.' || (c == ',' && mark == keslDecimalMark::pointOrComma);
        if (!isSeparator || separator) return false;
        separator = true;
        number += '.';
    }
    return digits;
}

bool parseDegrees(const std::string& text, keslDecimalMark mark, double limit, double& degrees) {
    std::string number;
    if (!plainDecimal(trimmed(text), mark, number)) return false;
    double value = 0.0;
    const char* end = number.data() + number.size();
    const std::from_chars_result read = std::from_chars(number.data(), end, value);
    if (read.ec != std::errc() || read.ptr != end || value < -limit || value > limit) return false;
    degrees = value;
    return true;
}

}  // namespace

bool parseLatitude(const std::string& text, keslDecimalMark mark, double& degrees) {
    return parseDegrees(text, mark, kMaxLatitudeDegrees, degrees);
}

bool parseLongitude(const std::string& text, keslDecimalMark mark, double& degrees) {
    return parseDegrees(text, mark, kMaxLongitudeDegrees, degrees);
}

std::string keptCoordinate(const std::string& text) {
    std::string kept = trimmed(text);
    if (!kept.empty() && kept[0] == '+') kept.erase(0, 1);
    for (char& c : kept) {
        if (c == ',') c = '.';
    }
    return kept;
}
