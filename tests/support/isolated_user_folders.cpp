// Keeps the test run away from the user's own settings: code that reaches the
// application's settings store (a world loading its messages, say) writes
// into a folder of the run, not into ~/.config. The Windows tests run in a
// Wine prefix of their own and need nothing of the kind.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

class IsolatedUserFolders : public ::testing::Environment {
public:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() / ("orvanel-tests-home-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_folder / "config");
        std::filesystem::create_directories(m_folder / "Desktop");
        setenv("XDG_CONFIG_HOME", (m_folder / "config").c_str(), 1);
        setenv("XDG_DESKTOP_DIR", (m_folder / "Desktop").c_str(), 1);
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

private:
    std::filesystem::path m_folder;
};

const auto* const g_isolatedUserFolders = ::testing::AddGlobalTestEnvironment(new IsolatedUserFolders);

}  // namespace
#endif
