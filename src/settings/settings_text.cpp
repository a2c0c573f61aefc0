#include "settings/settings_text.h"

namespace {

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr size_t kUtf8ByteOrderMarkLength = 3;

// What a text-mode read turns the file into: every CR LF pair becomes LF.
std::string textModeView(const std::string& raw) {
    std::string text;
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text.push_back(raw[i]);
    }
    return text;
}

// Every leading mark goes (a file converted twice has two), so no loaded key
// starts with one and a saved file loads back to the same keys.
void dropByteOrderMarks(std::string& key) {
    while (key.compare(0, kUtf8ByteOrderMarkLength, kUtf8ByteOrderMark) == 0) key.erase(0, kUtf8ByteOrderMarkLength);
}

}  // namespace

std::string escapeSettingsValue(const std::string& value) {
    std::string escaped;
    escaped.reserve(value.size() + value.size() / 8);
    for (const char c : value) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '\t': escaped += "\\t"; break;
        case '\r': escaped += "\\r"; break;
        case '\n': escaped += "\\n"; break;
        case '=': escaped += "\\="; break;
        default: escaped.push_back(c);
        }
    }
    return escaped;
}

std::string unescapeSettingsValue(const std::string& escaped) {
    std::string value;
    value.reserve(escaped.size());
    for (size_t i = 0; i < escaped.size(); ++i) {
        const char c = escaped[i];
        if (c != '\\' || i + 1 == escaped.size()) {
            value.push_back(c);
            continue;
        }
        switch (escaped[i + 1]) {
        case 't': value.push_back('\t'); break;
        case 'r': value.push_back('\r'); break;
        case 'n': value.push_back('\n'); break;
        case '=': value.push_back('='); break;
        case '\\': value.push_back('\\'); break;
        default: value.push_back(c); continue;  // the next character is read on its own
        }
        ++i;
    }
    return value;
}

std::string formatSettingsText(const keslKeyValueMap& entries) {
    std::string text;
    for (const auto& [key, value] : entries) {
        // Keys are written as they are; a line break inside one (only possible
        // after loading a damaged file) still gets the platform's CR LF.
        for (const char c : key) {
            if (c == '\n') text.push_back('\r');
            text.push_back(c);
        }
        text += '=';
        text += escapeSettingsValue(value);
        text += "\r\n";
    }
    return text;
}

keslSettingsParseResult parseSettingsText(const std::string& raw) {
    keslSettingsParseResult result;
    const std::string text = textModeView(raw);
    size_t at = 0;
    while (at < text.size()) {
        const size_t equals = text.find('=', at);
        if (equals == std::string::npos) {
            result.ignoredTrailingBytes = text.size() - at;
            break;
        }
        std::string key = text.substr(at, equals - at);
        dropByteOrderMarks(key);
        size_t lineEnd = text.find('\n', equals + 1);
        if (lineEnd == std::string::npos) lineEnd = text.size();
        result.entries[std::move(key)] = unescapeSettingsValue(text.substr(equals + 1, lineEnd - equals - 1));
        at = lineEnd + 1;
    }
    return result;
}
