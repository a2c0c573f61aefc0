// A setting bound in code: the store, the key and the default of its type.
// Nothing is cached, so a value the configuration sheet writes is what the
// next reader sees.
#pragma once

#include "settings/key_value.h"
#include "settings/setting_keys.h"

#include <cstdint>
#include <string>

class keslBoolSetting {
public:
    keslBoolSetting(keslKeyValue& store, const settingKeys::BoolKey& key) : m_store(store), m_key(key) {}
    bool get() const { return m_store.getBool(m_key.name, m_key.defaultValue); }
    void set(bool value) { m_store.setBool(m_key.name, value); }

private:
    keslKeyValue& m_store;
    settingKeys::BoolKey m_key;
};

class keslIntSetting {
public:
    keslIntSetting(keslKeyValue& store, const settingKeys::IntKey& key) : m_store(store), m_key(key) {}
    int get() const { return m_store.getInt(m_key.name, m_key.defaultValue); }
    void set(int value) { m_store.setInt(m_key.name, value); }

private:
    keslKeyValue& m_store;
    settingKeys::IntKey m_key;
};

class keslInt64Setting {
public:
    keslInt64Setting(keslKeyValue& store, const settingKeys::Int64Key& key) : m_store(store), m_key(key) {}
    std::int64_t get() const { return m_store.getInt64(m_key.name, m_key.defaultValue); }
    void set(std::int64_t value) { m_store.setInt64(m_key.name, value); }

private:
    keslKeyValue& m_store;
    settingKeys::Int64Key m_key;
};

class keslStringSetting {
public:
    keslStringSetting(keslKeyValue& store, const settingKeys::StringKey& key) : m_store(store), m_key(key) {}
    std::string get() const { return m_store.getString(m_key.name, m_key.defaultValue); }
    void set(const std::string& value) { m_store.setString(m_key.name, value); }
    // Whether the settings hold a value of their own, rather than the default.
    bool isSet() const { return m_store.hasKey(m_key.name); }
    void reset() { m_store.removeKey(m_key.name); }

private:
    keslKeyValue& m_store;
    settingKeys::StringKey m_key;
};

// A 0xRRGGBBAA colour kept as the signed decimal of its 32-bit value.
class keslColorSetting {
public:
    keslColorSetting(keslKeyValue& store, const settingKeys::IntKey& key) : m_value(store, key) {}
    std::uint32_t get() const { return static_cast<std::uint32_t>(m_value.get()); }
    void set(std::uint32_t color) { m_value.set(static_cast<std::int32_t>(color)); }

private:
    keslIntSetting m_value;
};
