#include "app/linux/linux_folders.h"

#include "system/system_services.h"
#include "util/log.h"

#include <filesystem>
#include <system_error>

namespace stdfs = std::filesystem;

bool ensureAppDataFolder() {
    const std::string folder = keslSystemServices().appDataFolder();
    if (folder.empty()) return false;
    std::error_code error;
    if (stdfs::is_directory(folder, error)) return true;
    if (!stdfs::create_directories(folder, error) || !stdfs::is_directory(folder, error)) {
        logError("#7305: could not make the application-data folder %s: %s", folder.c_str(), error.message().c_str());
        return false;
    }
    // Private to the user, as the XDG base-directory conventions ask.
    stdfs::permissions(folder, stdfs::perms::owner_all, error);
    logInfo("Made the application-data folder %s", folder.c_str());
    return true;
}
