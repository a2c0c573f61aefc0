// The application's store on Windows: in the user's roaming application-data
// folder, and safe when another program holds the file open.
#include "system/file_replace.h"
#include "settings/settings.h"
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

TEST(WindowsSettingsStore, TheApplicationStoreLivesInTheRoamingAppDataFolder) {
    const std::string appData = roamingAppData();
    ASSERT_FALSE(appData.empty());
    keslSettings& store = applicationSettings();
    const std::string expected =
        keslFileSystemMini::joinPath(keslFileSystemMini::joinPath(appData, "Orvanel software"), "Orvanel screensaver.ini");
    EXPECT_EQ(store.getFilePath(), expected);
    std::printf("application settings file: %s\n", store.getFilePath().c_str());

    const std::string previous = store.getString("windowsTestRun", "0");
    store.setString("windowsTestRun", std::to_string(std::stoi(previous) + 1));
    EXPECT_TRUE(keslFileSystemMini::fileExists(expected));
    EXPECT_EQ(keslSettings(expected.c_str()).getString("windowsTestRun", ""), store.getString("windowsTestRun", ""));
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
