#include "support/app_settings_override.h"

#include "settings/settings.h"

AppSettingsOverride& AppSettingsOverride::set(const char* key, const std::string& value) {
    keslSettings& store = applicationSettings();
    // The sentinel reads as a missing key, so a key that was absent stays absent in effect.
    m_previous.emplace_back(key, store.getString(key, keslKeyValue::kNotFoundSentinel));
    store.setString(key, value);
    return *this;
}

AppSettingsOverride::~AppSettingsOverride() {
    keslSettings& store = applicationSettings();
    for (auto it = m_previous.rbegin(); it != m_previous.rend(); ++it) store.setString(it->first.c_str(), it->second);
}
