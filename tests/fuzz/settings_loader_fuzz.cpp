// Feeds arbitrary bytes to the settings loader, as a damaged or hostile
// settings or translation file would. Whatever loads must save and load back
// to the same entries, and every value must survive escaping.
#include "settings/settings_text.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const keslKeyValueMap loaded = parseSettingsText(text).entries;
    const std::string saved = formatSettingsText(loaded);
    if (parseSettingsText(saved).entries != loaded) __builtin_trap();
    if (!saved.empty() && saved.compare(saved.size() - 2, 2, "\r\n") != 0) __builtin_trap();

    if (unescapeSettingsValue(escapeSettingsValue(text)) != text) __builtin_trap();
    const std::string escaped = escapeSettingsValue(text);
    if (escaped.find_first_of("\r\n=\t") != std::string::npos) {
        // Only an escaped "=" may remain, always right after a backslash.
        for (size_t at = escaped.find('='); at != std::string::npos; at = escaped.find('=', at + 1)) {
            if (at == 0 || escaped[at - 1] != '\\') __builtin_trap();
        }
        if (escaped.find_first_of("\r\n\t") != std::string::npos) __builtin_trap();
    }
    return 0;
}
