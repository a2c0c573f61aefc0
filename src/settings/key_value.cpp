#include "settings/key_value.h"

#include <sstream>

namespace {

// Standard-stream reading: leading blanks skipped, stops at the first
// character that cannot continue the number; nothing read (or out of range)
// gives the default.
template <typename Number>
Number readNumber(const std::string& text, Number defaultValue) {
    std::istringstream in(text);
    Number value{};
    in >> value;
    return in.fail() ? defaultValue : value;
}

}  // namespace

bool keslKeyValue::hasKey(const char* key) const {
    return key && (m_overrides.count(key) > 0 || m_entries.count(key) > 0);
}

size_t keslKeyValue::keyCount() const {
    size_t count = m_entries.size();
    for (const auto& entry : m_overrides) count += m_entries.count(entry.first) == 0 ? 1 : 0;
    return count;
}

std::string keslKeyValue::getString(const char* key, const char* defaultValue) const {
    if (key) {
        const auto overridden = m_overrides.find(key);
        if (overridden != m_overrides.end()) return overridden->second;
        const auto found = m_entries.find(key);
        if (found != m_entries.end()) return found->second;
    }
    return defaultValue ? defaultValue : "";
}

void keslKeyValue::setString(const char* key, const char* value) {
    if (!key || !value) return;
    const auto found = m_entries.find(key);
    if (found != m_entries.end() && found->second == value) return;
    m_entries[key] = value;
    dataHasChanged();
}

bool keslKeyValue::getBool(const char* key, bool defaultValue) const {
    const std::string value = getString(key, kNotFoundSentinel);
    if (value == "yes" || value == "true" || value == "1" || value == "on") return true;
    if (value == "no" || value == "false" || value == "0" || value == "off") return false;
    return defaultValue;
}

void keslKeyValue::setBool(const char* key, bool value) { setString(key, value ? "yes" : "no"); }

int keslKeyValue::getInt(const char* key, int defaultValue) const {
    const std::string value = getString(key, kNotFoundSentinel);
    return value == kNotFoundSentinel ? defaultValue : readNumber<int>(value, defaultValue);
}

void keslKeyValue::setInt(const char* key, int value) { setString(key, std::to_string(value)); }

std::int64_t keslKeyValue::getInt64(const char* key, std::int64_t defaultValue) const {
    const std::string value = getString(key, kNotFoundSentinel);
    return value == kNotFoundSentinel ? defaultValue : readNumber<long long>(value, defaultValue);
}

void keslKeyValue::setInt64(const char* key, std::int64_t value) {
    setString(key, std::to_string(static_cast<long long>(value)));
}
