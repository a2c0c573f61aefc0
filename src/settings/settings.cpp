#include "settings/settings.h"

#include "system/file_replace.h"
#include "system/system_services.h"
#include "util/file_system.h"
#include "util/log.h"

#include <cstdio>
#include <new>

namespace fs = keslFileSystemMini;

namespace {

constexpr const char* kCompanyFolderName = "Orvanel software";
constexpr const char* kApplicationName = "Orvanel screensaver";
constexpr const char* kMissingApplicationName = "no AppName keslSettings error no.7511";
constexpr const char* kSettingsExtension = ".ini";

// One line on standard error, and the same text in the log for whoever reads
// that instead.
void report(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    logWarning("%s", text.c_str());
}

}  // namespace

keslSettings::keslSettings(const char* filePath) : m_filePath(filePath ? filePath : ""), m_hasPath(filePath != nullptr) {
    if (!m_hasPath) return;
    const std::string folder = fs::getFolderOfPath(m_filePath);
    if (!fs::folderExists(folder) && !fs::createFolder(folder)) {
        report("#5813: During keslSettings constructor could not create folder:" + folder);
    }
    if (!load()) report("Error #1351: loading keslSettings from file:" + m_filePath);
}

keslSettings::~keslSettings() {
    if (m_dirty && !save()) report("Error #1352: saving keslSettings to file:" + m_filePath);
}

bool keslSettings::load() {
    if (!m_hasPath || !fs::fileExists(m_filePath)) {
        replaceEntries({});
        m_existingFileUnread = false;
        return true;
    }
    try {
        std::string raw;
        if (!fs::readWholeFile(m_filePath, raw)) {
            report("#8551: Could not open file:" + m_filePath);
            m_existingFileUnread = true;
            return false;
        }
        keslSettingsParseResult parsed = parseSettingsText(raw);
        if (parsed.ignoredTrailingBytes > 0) {
            report("keslSettings: ignored " + std::to_string(parsed.ignoredTrailingBytes) +
                   " bytes without \"=\" at the end of file:" + m_filePath);
        }
        replaceEntries(std::move(parsed.entries));
        m_existingFileUnread = false;
        return true;
    } catch (const std::bad_alloc&) {
        report("#8552: Not enough memory to load file:" + m_filePath);
        m_existingFileUnread = true;
        return false;
    }
}

bool keslSettings::save() {
    std::string errorText;
    if (!m_hasPath) {
        errorText = "no settings file path";
    } else if (m_existingFileUnread && fs::fileExists(m_filePath)) {
        errorText = "the existing file could not be read, so it is kept as it is";
    } else {
        try {
            if (replaceFileContents(m_filePath, formatSettingsText(entries()), errorText)) return true;
        } catch (const std::bad_alloc&) {
            errorText = "not enough memory";
        }
    }
    report("Error saving file " + m_filePath + " Error message:" + errorText);
    return false;
}

void keslSettings::dataHasChanged() {
    m_dirty = true;
    if (!m_autoSave) return;
    if (save()) {
        m_dirty = false;
        return;
    }
    report("Error #1352p: saving keslSettings to file:" + m_filePath);
}

std::string settingsFilePath(const char* companyFolderName, const char* applicationName) {
    std::string path = keslSystemServices().appDataFolder();
    if (companyFolderName && *companyFolderName) path = fs::joinPath(path, companyFolderName);
    path = fs::joinPath(path, (applicationName && *applicationName) ? applicationName : kMissingApplicationName);
    return path + kSettingsExtension;
}

keslSettings& applicationSettings() {
    static keslSettings store(settingsFilePath(kCompanyFolderName, kApplicationName).c_str());
    return store;
}
