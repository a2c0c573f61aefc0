// Keeps the test run away from the user's own settings: code that reaches the
// application's settings store (a world loading its messages, say) writes
// into a folder of the run, not into the user's settings folder. On Linux the
// XDG variables point there; on Windows the shell's folders cannot be
// redirected, so the run answers the folder questions itself.
#include "system/system_layer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <cstdlib>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
// The services in force, except for the user's own folders.
class RunFolders final : public keslSystemLayer {
public:
    explicit RunFolders(const std::filesystem::path& folder)
        : m_appData((folder / "AppData").string()), m_desktop((folder / "Desktop").string()) {}

    std::string appDataFolder() const override { return m_appData; }
    std::string desktopFolder() const override { return m_desktop; }

private:
    std::string m_appData;
    std::string m_desktop;
};
#endif

class IsolatedUserFolders : public ::testing::Environment {
public:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() / ("orvanel-tests-home-" + std::to_string(getpid()));
#ifdef _WIN32
        std::filesystem::create_directories(m_folder / "AppData");
        std::filesystem::create_directories(m_folder / "Desktop");
        m_services = std::make_unique<RunFolders>(m_folder);
#else
        std::filesystem::create_directories(m_folder / "config");
        std::filesystem::create_directories(m_folder / "Desktop");
        setenv("XDG_CONFIG_HOME", (m_folder / "config").c_str(), 1);
        setenv("XDG_DESKTOP_DIR", (m_folder / "Desktop").c_str(), 1);
#endif
    }

    void TearDown() override {
#ifdef _WIN32
        m_services.reset();
#endif
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

private:
    std::filesystem::path m_folder;
#ifdef _WIN32
    std::unique_ptr<keslSystem> m_services;
#endif
};

const auto* const g_isolatedUserFolders = ::testing::AddGlobalTestEnvironment(new IsolatedUserFolders);

}  // namespace
