// The states the save-loop helper writes, and the check that a settings file
// holds one of them whole. Keys are rewritten one by one in key order, each
// value naming its generation, so any complete file has every key, each value
// intact, and generations that never rise along the keys.
#pragma once

#include "settings/settings_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace saveLoop {

constexpr int kKeyCount = 200;
constexpr const char* kReadyLine = "ready";

inline std::string keyName(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "key%03d", index);
    return name;
}

// Long enough that a save takes real writing, with every character that
// needs escaping so a cut inside an escape would show.
inline std::string valueFor(long generation, int index) {
    return "g" + std::to_string(generation) + ";i" + std::to_string(index) + ";C:\\night\\temp=\r\n\t" +
           std::string(120, static_cast<char>('a' + index % 26)) + ";end";
}

inline long generationOf(const std::string& value) {
    return (value.size() > 1 && value[0] == 'g') ? std::strtol(value.c_str() + 1, nullptr, 10) : -1;
}

inline keslKeyValueMap stateOfGeneration(long generation) {
    keslKeyValueMap entries;
    for (int i = 0; i < kKeyCount; ++i) entries[keyName(i)] = valueFor(generation, i);
    return entries;
}

// Empty when the file text is one complete state, else what is wrong.
inline std::string problemWith(const std::string& fileText) {
    if (fileText.size() < 2 || fileText.compare(fileText.size() - 2, 2, "\r\n") != 0) return "no CR LF at the end";
    const keslKeyValueMap entries = parseSettingsText(fileText).entries;
    if (entries.size() != static_cast<size_t>(kKeyCount)) return "holds " + std::to_string(entries.size()) + " keys";
    long previous = -1;
    for (int i = 0; i < kKeyCount; ++i) {
        const auto found = entries.find(keyName(i));
        if (found == entries.end()) return "misses " + keyName(i);
        const long generation = generationOf(found->second);
        if (found->second != valueFor(generation, i)) return "damaged value under " + keyName(i);
        if (previous >= 0 && generation > previous) return "generation rises at " + keyName(i);
        previous = generation;
    }
    return std::string();
}

inline long newestGeneration(const std::string& fileText) {
    long newest = 0;
    for (const auto& [key, value] : parseSettingsText(fileText).entries) newest = std::max(newest, generationOf(value));
    return newest;
}

}  // namespace saveLoop
