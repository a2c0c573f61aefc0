// The key/value list bound to one file: loaded at construction, saved after
// every effective change. Problems never reach the user and never throw: they
// are one line on the standard error stream (and a log warning), and the store
// keeps working in memory, trying to save again on the next change.
#pragma once

#include "settings/key_value.h"

#include <string>

class keslSettings : public keslKeyValueStr {
public:
    // A null path gives an empty store whose saves fail.
    explicit keslSettings(const char* filePath);
    ~keslSettings() override;
    keslSettings(const keslSettings&) = delete;
    keslSettings& operator=(const keslSettings&) = delete;

    // Replaces the list with the file's entries; a missing file is an empty list.
    bool load();
    // Writes the whole list; the old file is replaced only by a complete new one.
    bool save();

    const std::string& getFilePath() const { return m_filePath; }
    bool isDirty() const { return m_dirty; }

protected:
    void dataHasChanged() override;

private:
    std::string m_filePath;
    bool m_hasPath;
    bool m_autoSave = true;
    bool m_dirty = false;
    // Set while the file exists but could not be read: saving then would
    // replace settings we have never seen, so saves are refused instead.
    bool m_existingFileUnread = false;
};

// The application-data folder, the company folder, the application name + ".ini".
std::string settingsFilePath(const char* companyFolderName, const char* applicationName);

// The application's one store ("Orvanel software" / "Orvanel screensaver"),
// created on first use and saved, if still dirty, at process exit.
keslSettings& applicationSettings();
