// The About page's choice of the interface's language: "as the system" first
// (no stored choice, so the system's language decides each time the sheet
// opens), then each installed language. The choice takes effect the next
// time the sheet opens: a sheet does not rebuild itself in another language.
#pragma once

#include "settings/setting.h"

#include <map>
#include <string>
#include <vector>

struct sLanguageOption {
    std::string code;  // "DE"; empty for "as the system"
    std::string label;
};

// installed: code to English name, as the localisation lists the files it found.
std::vector<sLanguageOption> languageOptions(const std::map<std::string, std::string>& installed);
// The option the setting holds now; "as the system" when it holds none, or a language not installed.
std::size_t selectedLanguageOption(const std::vector<sLanguageOption>& options, const keslStringSetting& chosen);
void storeLanguageOption(const sLanguageOption& option, keslStringSetting& chosen);
