// The text form of a key/value list, shared by the settings file and the
// translation files: one "key=value" line per entry in key order, values
// escaped so that a line break or "=" inside a value cannot split an entry,
// CR LF line ends on every platform. Parsing accepts anything (random bytes,
// NUL bytes, huge lines) and never fails: what cannot be an entry is skipped.
#pragma once

#include <functional>
#include <map>
#include <string>

// Transparent ordering: a lookup by a C string key builds no temporary string,
// so reading a setting on every frame costs no heap allocation.
using keslKeyValueMap = std::map<std::string, std::string, std::less<>>;

// Backslash, TAB, CR, LF and "=" become "\\", "\t", "\r", "\n" and "\=".
std::string escapeSettingsValue(const std::string& value);
// The exact inverse, in one pass; a backslash before any other character stays.
std::string unescapeSettingsValue(const std::string& escaped);

// The whole file text for the entries, in map order, lines ending in CR LF.
std::string formatSettingsText(const keslKeyValueMap& entries);

struct keslSettingsParseResult {
    keslKeyValueMap entries;
    // Bytes at the end of the text that held no "=" and so formed no entry.
    size_t ignoredTrailingBytes = 0;
};
// Reads file text as a text-mode reader sees it (CR LF read as LF). A key is
// everything up to the next "=" (line breaks included, so a line without "="
// joins the next key); a byte-order mark at the start of a key is dropped; the
// value runs to the end of its line; a later key overwrites an earlier one.
keslSettingsParseResult parseSettingsText(const std::string& text);
