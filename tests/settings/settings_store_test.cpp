#include "system/file_replace.h"
#include "settings/settings.h"
#include "support/fake_system.h"
#include "support/temp_folder.h"
#include "util/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace fs = keslFileSystemMini;

namespace {

struct SettingsStore : ::testing::Test {
    TempFolder folder;
    std::string path = folder.file("store.ini");
};

TEST_F(SettingsStore, EveryChangeRewritesTheWholeFileInKeyOrderWithCrLf) {
    keslSettings store(path.c_str());
    store.setString("b", "two\nlines");
    store.setInt("a", -1);
    EXPECT_EQ(readFile(path), "a=-1\r\nb=two\\nlines\r\n");
    EXPECT_FALSE(store.isDirty());
}

TEST_F(SettingsStore, SavedValuesLoadBackUnchanged) {
    const std::string awkward = "C:\\night\\temp=1\r\n\tend\\";
    {
        keslSettings store(path.c_str());
        store.setString("awkward", awkward);
        store.setInt64("big", 9'000'000'000LL);
    }
    keslSettings reloaded(path.c_str());
    EXPECT_EQ(reloaded.getString("awkward", ""), awkward);
    EXPECT_EQ(reloaded.getInt64("big", 0), 9'000'000'000LL);
}

TEST_F(SettingsStore, StoringTheSameValueDoesNotRewriteTheFile) {
    writeFile(path, "k=v\r\n");
    keslSettings store(path.c_str());
    writeFile(path, "k=v\r\nmarker=left by someone else\r\n");
    store.setString("k", "v");
    EXPECT_EQ(readFile(path), "k=v\r\nmarker=left by someone else\r\n");
}

TEST_F(SettingsStore, AMissingFileGivesAnEmptyStoreWithoutAReport) {
    ::testing::internal::CaptureStderr();
    keslSettings store(path.c_str());
    const std::string reports = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(reports, "");
    EXPECT_TRUE(store.entries().empty());
    EXPECT_EQ(store.getInt("moonSize", 300), 300);
    EXPECT_FALSE(fs::fileExists(path));
}

TEST_F(SettingsStore, TheFilesFolderIsCreatedOneLevelDeep) {
    const std::string nested = fs::joinPath(folder.file("company"), "app.ini");
    keslSettings store(nested.c_str());
    EXPECT_TRUE(fs::folderExists(folder.file("company")));
    store.setBool("x", true);
    EXPECT_EQ(readFile(nested), "x=yes\r\n");
}

TEST_F(SettingsStore, LoadingDoesNotMakeTheStoreDirtyOrRewriteTheFile) {
    const std::string original = "\xEF\xBB\xBF" "first=1\nsecond=2";
    writeFile(path, original);
    {
        keslSettings store(path.c_str());
        EXPECT_EQ(store.getInt("first", 0), 1);
        EXPECT_EQ(store.getInt("second", 0), 2);
        EXPECT_FALSE(store.isDirty());
    }
    EXPECT_EQ(readFile(path), original);
}

TEST_F(SettingsStore, ANullPathKeepsWorkingInMemoryAndReportsEachFailedSave) {
    keslSettings store(nullptr);
    ::testing::internal::CaptureStderr();
    store.setInt("n", 5);
    const std::string reports = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(store.getInt("n", 0), 5);
    EXPECT_TRUE(store.isDirty());
    EXPECT_NE(reports.find("Error #1352p: saving keslSettings to file:"), std::string::npos);
    ::testing::internal::CaptureStderr();
    store.setInt("n", 6);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Error #1352p"), std::string::npos);
}

TEST_F(SettingsStore, ADirectoryInTheFilesPlaceIsNeitherReadNorReplaced) {
    fs::createFolder(path);
    keslSettings store(path.c_str());
    EXPECT_TRUE(store.entries().empty());
    ::testing::internal::CaptureStderr();
    store.setString("k", "v");
    const std::string reports = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(reports.find("Error saving file " + path + " Error message:"), std::string::npos);
    EXPECT_TRUE(fs::folderExists(path));
    EXPECT_EQ(store.getString("k", ""), "v");
    EXPECT_FALSE(fs::fileExists(temporaryPathFor(path)));
}

TEST_F(SettingsStore, AFailedSaveLeavesTheOldFileWholeAndTheStoreDirty) {
    writeFile(path, "keep=1\r\n");
    keslSettings store(path.c_str());
    // A folder where the temporary file would go makes writing it fail.
    fs::createFolder(temporaryPathFor(path));
    ::testing::internal::CaptureStderr();
    store.setString("keep", "2");
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(readFile(path), "keep=1\r\n");
    EXPECT_TRUE(store.isDirty());

    std::filesystem::remove(temporaryPathFor(path));
    EXPECT_TRUE(store.save());
    EXPECT_EQ(readFile(path), "keep=2\r\n");
}

TEST_F(SettingsStore, ASuccessfulSaveLeavesNoTemporaryFileBehind) {
    keslSettings store(path.c_str());
    store.setString("k", "v");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST_F(SettingsStore, TheDestructorSavesWhatAFailedSaveLeftDirty) {
    fs::createFolder(temporaryPathFor(path));
    {
        keslSettings store(path.c_str());
        ::testing::internal::CaptureStderr();
        store.setString("late", "yes");
        ::testing::internal::GetCapturedStderr();
        std::filesystem::remove(temporaryPathFor(path));
    }
    EXPECT_EQ(readFile(path), "late=yes\r\n");
}

#ifndef _WIN32
// The settings path is a link to a file every read of which fails, for root
// too (permissions would not stop root). Were the store to save anyway, the
// rename would replace the link, never the file behind it.
TEST_F(SettingsStore, AnUnreadableFileIsReportedAndNeverOverwritten) {
    const std::string unreadable = "/proc/self/mem";
    std::filesystem::create_symlink(unreadable, path);

    ::testing::internal::CaptureStderr();
    keslSettings store(path.c_str());
    store.setString("new", "value");
    const std::string reports = ::testing::internal::GetCapturedStderr();

    EXPECT_NE(reports.find("#8551: Could not open file:" + path), std::string::npos);
    EXPECT_NE(reports.find("Error #1351: loading keslSettings from file:" + path), std::string::npos);
    EXPECT_EQ(store.getString("new", ""), "value");
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(std::filesystem::read_symlink(path), unreadable);
    EXPECT_FALSE(fs::fileExists(temporaryPathFor(path)));
}
#endif

TEST_F(SettingsStore, RandomBytesAndNulBytesLoadAndSaveWithoutLoss) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string noise(4096, '\0');
    for (char& c : noise) c = static_cast<char>(byte(random));
    writeFile(path, noise);
    keslSettings store(path.c_str());
    const keslKeyValueMap loaded = store.entries();
    store.setString("added", "1");
    keslSettings reloaded(path.c_str());
    keslKeyValueMap expected = loaded;
    expected["added"] = "1";
    EXPECT_EQ(reloaded.entries(), expected);
}

TEST_F(SettingsStore, ATenMegabyteLineLoadsAndSavesWhole) {
    const std::string big(10 * 1024 * 1024, 'q');
    writeFile(path, "big=" + big + "\r\nsmall=1\r\n");
    keslSettings store(path.c_str());
    store.setString("small", "2");
    keslSettings reloaded(path.c_str());
    EXPECT_EQ(reloaded.getString("big", "").size(), big.size());
    EXPECT_EQ(reloaded.getInt("small", 0), 2);
}

TEST(SettingsFilePath, JoinsAppDataCompanyAndApplicationName) {
    FakeSystem system;
    system.appData = "/home/me/.config";
    const std::string sep(1, fs::kPathSeparator);
    EXPECT_EQ(settingsFilePath("Orvanel software", "Orvanel screensaver"),
              "/home/me/.config" + sep + "Orvanel software" + sep + "Orvanel screensaver.ini");
    EXPECT_EQ(settingsFilePath("", "App"), "/home/me/.config" + sep + "App.ini");
    EXPECT_EQ(settingsFilePath(nullptr, nullptr),
              "/home/me/.config" + sep + "no AppName keslSettings error no.7511.ini");
}

}  // namespace
