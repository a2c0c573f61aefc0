// An ordered list of string keys and string values with typed accessors. The
// stored forms are fixed because files written by older versions must keep
// loading: bools "yes"/"no", integers in signed decimal. Every setter that
// really changes something calls dataHasChanged, which a file-bound store
// uses to save at once; a setter that stores the same value again is silent.
#pragma once

#include "settings/settings_text.h"

#include <cstdint>
#include <string>

class keslKeyValue {
public:
    // A stored value equal to this reads as a missing key in the typed getters.
    static constexpr const char* kNotFoundSentinel = "not-fOunD-there";

    keslKeyValue() = default;
    virtual ~keslKeyValue() = default;
    keslKeyValue(const keslKeyValue&) = default;
    keslKeyValue& operator=(const keslKeyValue&) = default;

    bool hasKey(const char* key) const;
    // Keys that answer a getter: stored or overridden.
    size_t keyCount() const;

    // A null default reads as "". A null key or value makes a setter do nothing.
    std::string getString(const char* key, const char* defaultValue) const;
    void setString(const char* key, const char* value);
    void setString(const char* key, const std::string& value) { setString(key, value.c_str()); }
    // Forgets the stored value, so the default answers again.
    void removeKey(const char* key);

    bool getBool(const char* key, bool defaultValue) const;
    void setBool(const char* key, bool value);

    int getInt(const char* key, int defaultValue) const;
    void setInt(const char* key, int value);

    std::int64_t getInt64(const char* key, std::int64_t defaultValue) const;
    void setInt64(const char* key, std::int64_t value);

    // What is stored: the values of overrides never appear here.
    const keslKeyValueMap& entries() const { return m_entries; }

    // Every getter answers value for key from now on, whatever is stored; the
    // stored value itself is neither changed nor saved (a command line that
    // tries a setting for one run).
    void overrideForThisRun(const std::string& key, const std::string& value) { m_overrides[key] = value; }

protected:
    virtual void dataHasChanged() {}
    // Replaces the list without calling dataHasChanged (used by loading).
    void replaceEntries(keslKeyValueMap entries) { m_entries = std::move(entries); }

private:
    // The override, else the stored value; null when neither exists.
    const std::string* findValue(const char* key) const;
    // As findValue, but the sentinel reads as missing, as the typed getters want.
    const std::string* findTypedValue(const char* key) const;

    keslKeyValueMap m_entries;
    keslKeyValueMap m_overrides;
};

// The string-valued list the settings file and the translations use.
class keslKeyValueStr : public keslKeyValue {};
