// The application's store on Windows: in the user's roaming application-data
// folder, and safe when another program holds the file open.
#include "system/file_replace.h"
#include "settings/settings.h"
#include "system/system_services.h"
#include "support/temp_folder.h"
#include "util/file_system.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstdio>

namespace {

std::string roamingAppData() {
    char path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : "";
}

// The test run answers the folder questions itself (so it never touches the
// user's own settings): the platform's answer is checked on its own, and the
// store's path is checked against whatever folder is in force.
TEST(WindowsSettingsStore, TheApplicationStoreLivesInTheRoamingAppDataFolder) {
    const std::string appData = roamingAppData();
    ASSERT_FALSE(appData.empty());
    EXPECT_EQ(platformSystemServices().appDataFolder(), appData);

    const std::string runAppData = keslSystemServices().appDataFolder();
    ASSERT_NE(runAppData, appData) << "the test run must not use the user's own folder";
    keslSettings& store = applicationSettings();
    const std::string expected = keslFileSystemMini::joinPath(
        keslFileSystemMini::joinPath(runAppData, "Orvanel software"), "Orvanel screensaver.ini");
    EXPECT_EQ(store.getFilePath(), expected);

    store.setString("windowsTestRun", "1");
    EXPECT_EQ(keslSettings(expected.c_str()).getString("windowsTestRun", ""), "1");
}

TEST(WindowsSettingsStore, AFileHeldOpenByAnotherProgramIsReportedAndKept) {
    TempFolder folder;
    const std::string path = folder.file("locked.ini");
    writeFile(path, "kept=1\r\n");
    const HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    ::testing::internal::CaptureStderr();
    bool saved = true;
    {
        keslSettings store(path.c_str());
        store.setString("new", "2");
        EXPECT_EQ(store.getString("new", ""), "2");
        saved = !store.isDirty();
    }
    const std::string reports = ::testing::internal::GetCapturedStderr();
    CloseHandle(lock);

    EXPECT_FALSE(saved);
    EXPECT_NE(reports.find("#8551: Could not open file:" + path), std::string::npos);
    EXPECT_EQ(readFile(path), "kept=1\r\n");
    EXPECT_FALSE(keslFileSystemMini::fileExists(temporaryPathFor(path)));
}

TEST(WindowsSettingsStore, ReplacingKeepsOnlyTheNewContents) {
    TempFolder folder;
    const std::string path = folder.file("replace.ini");
    writeFile(path, std::string(5000, 'x'));
    std::string error;
    ASSERT_TRUE(replaceFileContents(path, "short=1\r\n", error)) << error;
    EXPECT_EQ(readFile(path), "short=1\r\n");
}

}  // namespace
