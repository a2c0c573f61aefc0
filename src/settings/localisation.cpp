#include "settings/localisation.h"

#include "platform/text_encoding.h"
#include "util/file_system.h"
#include "util/log.h"

#include <cctype>

namespace fs = keslFileSystemMini;

namespace {

constexpr const char* kNullKeyText = "null key to translate";
constexpr const char* kTranslationExtension = ".txt";

constexpr const char* kEnglish = "EN";

std::string translationFileIn(const std::string& folder, const std::string& languageCode) {
    return fs::ensureTrailingSeparator(folder) + keslLocalisation::kTranslationFileStem + "." + languageCode +
           kTranslationExtension;
}

constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";
constexpr const char* kKeyPrefix = "trn.";

// Each language by its own name, as a reader of it looks for it in a list.
const std::map<std::string, std::string>& knownLanguages() {
    static const std::map<std::string, std::string> languages{
        {"DE", "Deutsch"},  {"EL", "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC"},
        {"EN", "English"},  {"ES", "Espa\xC3\xB1ol"},
        {"FR", "Fran\xC3\xA7" "ais"}, {"IT", "Italiano"},
    };
    return languages;
}

// The code page a language's file was written in before files carried the UTF-8 mark.
keslCodePage legacyCodePageOf(const std::string& languageCode) {
    return languageCode == "EL" ? keslCodePage::windows1253 : keslCodePage::windows1252;
}

// A file with the mark is UTF-8; so is one whose bytes can only be UTF-8.
std::string utf8TextOf(const std::string& bytes, const std::string& languageCode) {
    if (bytes.compare(0, 3, kUtf8Mark) == 0) return bytes.substr(3);
    if (keslIsMultiByteUtf8(bytes.data(), bytes.size())) return bytes;
    return keslCodePageToUtf8(bytes, legacyCodePageOf(languageCode));
}

}  // namespace

keslLocalisation::keslLocalisation() : m_knownLanguages(knownLanguages()) {}

keslLocalisation& keslLocalisation::get() {
    static keslLocalisation localisation;
    return localisation;
}

void keslLocalisation::setLanguageAndFilespec(const char* languageCode, const char* folder, const char*) {
    m_languageCode = languageCode ? languageCode : "";
    m_folderWithTranslations = folder ? folder : "";
    m_translationFileStem = kTranslationFileStem;
    m_loaded = false;
    logInfo("setLanguageAndFilespec(%s, %s/%s)", m_languageCode.c_str(), m_folderWithTranslations.c_str(),
            m_translationFileStem.c_str());
}

std::string keslLocalisation::translationFilePath(const std::string& languageCode) const {
    return translationFileIn(m_folderWithTranslations, languageCode);
}

std::string chooseInterfaceLanguage(const keslStringSetting& chosen, const std::string& systemLanguage,
                                    const std::string& folder) {
    if (chosen.isSet()) return chosen.get();
    std::string code;
    for (const char c : systemLanguage) code += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (code.empty() || knownLanguages().count(code) == 0) return kEnglish;
    if (!fs::fileExists(translationFileIn(folder, code))) {
        logInfo("The system's language %s has no translation file here; the interface is in English", code.c_str());
        return kEnglish;
    }
    logInfo("The interface speaks the system's language: %s", code.c_str());
    return code;
}

void keslLocalisation::loadTranslations() {
    m_loaded = true;
    // No language chosen yet (a test, a tool): English without a file.
    if (m_languageCode.empty()) return;
    const std::string path = translationFilePath(m_languageCode);
    m_translations.clear();
    logInfo("loading translations from file:%s", path.c_str());
    std::string bytes;
    if (!fs::readWholeFile(path, bytes)) {
        logWarning("#4461: no translation file %s; the interface stays in English", path.c_str());
        return;
    }
    m_translations = parseSettingsText(utf8TextOf(bytes, m_languageCode)).entries;
    logInfo("%i translations loaded", static_cast<int>(m_translations.size()));
}

const char* keslLocalisation::translate(const char* key) {
    if (!key) return kNullKeyText;
    if (!m_loaded) loadTranslations();
    const auto found = m_translations.find(key);
    if (found != m_translations.end()) return found->second.c_str();
    // A new key is added as its own text so the returned pointer has an owner.
    return m_translations.emplace(key, key).first->second.c_str();
}

bool keslLocalisation::hasTranslation(const char* key) {
    if (!key) return false;
    if (!m_loaded) loadTranslations();
    const auto found = m_translations.find(key);
    // A key looked up before without a translation is kept as its own text.
    return found != m_translations.end() && found->second != key;
}

const char* keslLocalisation::translateOr(const char* key, const char* fallback) {
    return hasTranslation(key) ? translate(key) : fallback;
}

std::string keslLocalisation::textFor(const std::string& english) {
    return translateOr((kKeyPrefix + english).c_str(), english.c_str());
}

std::string translationFolderNear(const std::string& programFolder) {
    // Installed on Linux the program sits in a libexec folder and its texts in share.
    for (const char* relative : {"", "../../share/orvanel/", "../share/orvanel/"}) {
        const std::string folder = fs::ensureTrailingSeparator(programFolder) + relative;
        if (fs::fileExists(translationFileIn(folder, kEnglish))) return folder;
    }
    logWarning("#4462: no translation files beside %s or in its share folder; the interface is in English",
               programFolder.c_str());
    return programFolder;
}

const std::map<std::string, std::string>& keslLocalisation::getInstalledLanguages() {
    if (m_folderWithTranslations.empty() || m_translationFileStem.empty()) {
        logWarning("getInstalledLanguages() called but m_folderWithTranslations or m_translationFileStem is empty");
    }
    std::string codes;
    for (auto language = m_knownLanguages.begin(); language != m_knownLanguages.end();) {
        if (!fs::fileExists(translationFilePath(language->first))) {
            language = m_knownLanguages.erase(language);
            continue;
        }
        codes += language->first + " ";
        ++language;
    }
    logInfo("%i installed languages:%s", static_cast<int>(m_knownLanguages.size()), codes.c_str());
    return m_knownLanguages;
}
