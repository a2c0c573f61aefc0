// Changes keys of the application's own settings store for one test and puts
// the previous values back afterwards, so a world built in the test sees them
// and later tests do not.
#pragma once

#include <string>
#include <utility>
#include <vector>

class AppSettingsOverride {
public:
    AppSettingsOverride() = default;
    AppSettingsOverride(const AppSettingsOverride&) = delete;
    AppSettingsOverride& operator=(const AppSettingsOverride&) = delete;
    ~AppSettingsOverride();

    AppSettingsOverride& set(const char* key, const std::string& value);

private:
    std::vector<std::pair<std::string, std::string>> m_previous;
};
