// User-interface texts by key in the chosen language, read lazily from a
// translation file beside the program ("Orvanel.<code>.txt", the settings
// file format). A key without a translation stands for itself, so a missing
// or damaged file only means English texts. Texts come out as UTF-8 whatever
// the file was written in: UTF-8 with its mark, or the language's old 8-bit
// Windows code page, so Greek stays Greek on a system of another code page.
#pragma once

#include "settings/setting.h"
#include "settings/settings_text.h"

#include <map>
#include <string>

class keslLocalisation {
public:
    static constexpr const char* kTranslationFileStem = "Orvanel";

    keslLocalisation();
    virtual ~keslLocalisation() = default;
    keslLocalisation(const keslLocalisation&) = delete;
    keslLocalisation& operator=(const keslLocalisation&) = delete;

    // The process's one table, created on first use.
    static keslLocalisation& get();

    // The third text is accepted for callers that pass a file stem; the stem is always "Orvanel".
    void setLanguageAndFilespec(const char* languageCode, const char* folder, const char* unused = nullptr);
    // Valid until the table next changes (a new key, or a reload after setLanguageAndFilespec).
    const char* translate(const char* key);
    // Whether the chosen language's file translates the key.
    bool hasTranslation(const char* key);
    // The key's translation, or fallback (such as the English text) when the file has none.
    const char* translateOr(const char* key, const char* fallback);
    // The text's translation under the key "trn." + english, or the English text itself.
    std::string textFor(const std::string& english);
    // Drops every known language whose file is missing; returns those left (code to the language's own name).
    const std::map<std::string, std::string>& getInstalledLanguages();

    std::string translationFilePath(const std::string& languageCode) const;
    const std::string& languageCode() const { return m_languageCode; }

private:
    void loadTranslations();

    keslKeyValueMap m_translations;
    bool m_loaded = false;
    std::string m_languageCode;
    std::string m_folderWithTranslations;
    std::string m_translationFileStem;
    std::map<std::string, std::string> m_knownLanguages;
};

// The interface's language code ("DE"): the one the user chose when the
// setting holds a choice; else the system's language (ISO 639-1, "de") when
// the folder holds its translation file; else English.
std::string chooseInterfaceLanguage(const keslStringSetting& chosen, const std::string& systemLanguage,
                                    const std::string& folder);

// Where the translation files are for a program in programFolder: beside it,
// or, installed on Linux, in the share folder of its prefix.
std::string translationFolderNear(const std::string& programFolder);

// The text in the interface's language (keslLocalisation::textFor on the process's table).
inline std::string localised(const std::string& english) { return keslLocalisation::get().textFor(english); }
