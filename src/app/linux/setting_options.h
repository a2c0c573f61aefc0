// The settings a Linux user most often wants to try, as command-line options
// (and so as widgets of XScreenSaver's settings dialog). They override the
// settings file for one run and are never saved into it.
#pragma once

#include "settings/key_value.h"

#include <string>
#include <vector>

struct orvanelSettingOverride {
    std::string key;
    std::string value;
};

struct orvanelSettingOption {
    const char* name;       // without dashes
    const char* valueHint;  // for --help; nullptr for a switch
    const char* help;
    // Adds the overrides for value ("" for a switch); false when the value is not one the option takes.
    bool (*toOverrides)(const std::string& value, std::vector<orvanelSettingOverride>& out);
    // What a refused value is told it should be; nullptr: the value hint says it.
    const char* wants = nullptr;
};

const std::vector<orvanelSettingOption>& settingOptions();
// nullptr for a name that is no setting option.
const orvanelSettingOption* findSettingOption(const std::string& name);
// The options' part of --help.
std::string settingOptionsUsage();

// Puts the overrides in force on store and logs each. A bottom line given
// without a message applies to every message the store holds.
void applySettingOverrides(const std::vector<orvanelSettingOverride>& overrides, keslKeyValue& store);
