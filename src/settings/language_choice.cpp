#include "settings/language_choice.h"

#include "settings/localisation.h"

std::vector<sLanguageOption> languageOptions(const std::map<std::string, std::string>& installed) {
    std::vector<sLanguageOption> options{{std::string(), localised("As the system")}};
    for (const auto& [code, name] : installed) options.push_back({code, name});
    return options;
}

std::size_t selectedLanguageOption(const std::vector<sLanguageOption>& options, const keslStringSetting& chosen) {
    if (!chosen.isSet()) return 0;
    const std::string code = chosen.get();
    for (std::size_t i = 1; i < options.size(); ++i) {
        if (options[i].code == code) return i;
    }
    return 0;
}

void storeLanguageOption(const sLanguageOption& option, keslStringSetting& chosen) {
    if (option.code.empty()) {
        chosen.reset();
        return;
    }
    chosen.set(option.code);
}
