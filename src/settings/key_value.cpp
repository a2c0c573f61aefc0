#include "settings/key_value.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

namespace {

// Reads as a standard stream would (leading blanks skipped, stops at the first
// character that cannot continue the number; nothing read, or out of range,
// gives the default), but without a stream: settings are read every frame and
// a stream allocates.
template <typename Number>
Number readNumber(const std::string& text, Number defaultValue) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE) return defaultValue;
    if (value < std::numeric_limits<Number>::min() || value > std::numeric_limits<Number>::max()) return defaultValue;
    return static_cast<Number>(value);
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

const std::string* keslKeyValue::findValue(const char* key) const {
    if (!key) return nullptr;
    const auto overridden = m_overrides.find(key);
    if (overridden != m_overrides.end()) return &overridden->second;
    const auto found = m_entries.find(key);
    return found != m_entries.end() ? &found->second : nullptr;
}

const std::string* keslKeyValue::findTypedValue(const char* key) const {
    const std::string* value = findValue(key);
    return value && *value != kNotFoundSentinel ? value : nullptr;
}

std::string keslKeyValue::getString(const char* key, const char* defaultValue) const {
    if (const std::string* value = findValue(key)) return *value;
    return defaultValue ? defaultValue : "";
}

void keslKeyValue::setString(const char* key, const char* value) {
    if (!key || !value) return;
    const auto found = m_entries.find(key);
    if (found != m_entries.end() && found->second == value) return;
    m_entries[key] = value;
    dataHasChanged();
}

void keslKeyValue::removeKey(const char* key) {
    if (!key || m_entries.erase(key) == 0) return;
    dataHasChanged();
}

bool keslKeyValue::getBool(const char* key, bool defaultValue) const {
    const std::string* found = findTypedValue(key);
    if (!found) return defaultValue;
    const std::string& value = *found;
    if (value == "yes" || value == "true" || value == "1" || value == "on") return true;
    if (value == "no" || value == "false" || value == "0" || value == "off") return false;
    return defaultValue;
}

void keslKeyValue::setBool(const char* key, bool value) { setString(key, value ? "yes" : "no"); }

int keslKeyValue::getInt(const char* key, int defaultValue) const {
    const std::string* value = findTypedValue(key);
    return value ? readNumber<int>(*value, defaultValue) : defaultValue;
}

void keslKeyValue::setInt(const char* key, int value) { setString(key, std::to_string(value)); }

std::int64_t keslKeyValue::getInt64(const char* key, std::int64_t defaultValue) const {
    const std::string* value = findTypedValue(key);
    return value ? readNumber<long long>(*value, defaultValue) : defaultValue;
}

void keslKeyValue::setInt64(const char* key, std::int64_t value) {
    setString(key, std::to_string(static_cast<long long>(value)));
}
