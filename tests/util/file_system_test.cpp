#include "support/temp_folder.h"
#include "util/file_system.h"

#include <gtest/gtest.h>

namespace fs = keslFileSystemMini;

namespace {

const std::string sep(1, fs::kPathSeparator);

TEST(PathHelpers, JoinPathAddsOneSeparatorAndDropsLeadingOnes) {
    EXPECT_EQ(fs::joinPath("C:\\a", "\\b"), "C:\\a" + sep + "b");
    EXPECT_EQ(fs::joinPath("C:\\a\\", "b"), "C:\\a\\b");
    EXPECT_EQ(fs::joinPath("/home/u", "//x/y"), "/home/u" + sep + "x/y");
    EXPECT_EQ(fs::joinPath("", "b"), sep + "b");
}

TEST(PathHelpers, TrailingSeparatorIsDetectedAndAddedOnce) {
    EXPECT_FALSE(fs::endsWithSeparator(static_cast<const char*>(nullptr)));
    EXPECT_FALSE(fs::endsWithSeparator(""));
    EXPECT_TRUE(fs::endsWithSeparator("a/"));
    EXPECT_TRUE(fs::endsWithSeparator("a\\"));
    EXPECT_EQ(fs::ensureTrailingSeparator("a/"), "a/");
    EXPECT_EQ(fs::ensureTrailingSeparator("a"), "a" + sep);
}

TEST(PathHelpers, FolderOfPathCutsTheLastComponent) {
    EXPECT_EQ(fs::getFolderOfPath("C:\\a\\b.txt"), "C:\\a\\");
    EXPECT_EQ(fs::getFolderOfPath("C:\\a\\b\\"), "C:\\a\\");
    EXPECT_EQ(fs::getFolderOfPath("/usr/lib/x.so"), "/usr/lib/");
    EXPECT_EQ(fs::getFolderOfPath("name.txt"), "name.txt" + sep);
}

TEST(PathHelpers, FileNameOfPathIsWhatFollowsTheLastSeparator) {
    EXPECT_EQ(fs::getFileNameOfPath("C:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(fs::getFileNameOfPath("/a/b/c"), "c");
    EXPECT_EQ(fs::getFileNameOfPath("plain"), "plain");
    EXPECT_EQ(fs::getFileNameOfPath("dir/"), "");
}

TEST(StringHelpers, ReplaceAllDoesNotRescanInsertedText) {
    EXPECT_EQ(fs::replaceAll("aa", "a", "aa"), "aaaa");
    EXPECT_EQ(fs::replaceAll("x=1;y=2", "=", ": "), "x: 1;y: 2");
    EXPECT_EQ(fs::replaceAll("abc", nullptr, "z"), "abc");
    EXPECT_EQ(fs::replaceAll("abc", "b", nullptr), "abc");
    EXPECT_EQ(fs::replaceAll("abc", "", "z"), "abc");
}

TEST(StringHelpers, SplitByBarKeepsEmptyParts) {
    EXPECT_EQ(fs::splitByBar("x||y"), (std::vector<std::string>{"x", "", "y"}));
    EXPECT_EQ(fs::splitByBar("alone"), std::vector<std::string>{"alone"});
    EXPECT_EQ(fs::splitByBar("|"), (std::vector<std::string>{"", ""}));
}

TEST(StringHelpers, TrimRemovesOnlySpacesAndTabs) {
    EXPECT_EQ(fs::trim(" \t hello world\t "), "hello world");
    EXPECT_EQ(fs::trim(" \t \t"), "");
    EXPECT_EQ(fs::trim("\nkeep\n"), "\nkeep\n");
}

TEST(FileHelpers, ExistenceTellsFilesFromFolders) {
    TempFolder folder;
    const std::string file = folder.file("f.txt");
    writeFile(file, "x");
    EXPECT_TRUE(fs::fileExists(file));
    EXPECT_FALSE(fs::folderExists(file));
    EXPECT_TRUE(fs::folderExists(folder.path()));
    EXPECT_FALSE(fs::fileExists(folder.path()));
    EXPECT_FALSE(fs::fileExists(""));
    EXPECT_FALSE(fs::fileExists(static_cast<const char*>(nullptr)));
    EXPECT_FALSE(fs::fileExists(folder.file("missing")));
}

TEST(FileHelpers, CreateFolderMakesOneLevelOnly) {
    TempFolder folder;
    EXPECT_TRUE(fs::createFolder(folder.file("one")));
    EXPECT_TRUE(fs::createFolder(folder.file("one")));  // already there counts as success
    EXPECT_FALSE(fs::createFolder(fs::joinPath(folder.file("two"), "three")));
}

TEST(FileHelpers, AppendTextFileWritesCrLfAndAppends) {
    TempFolder folder;
    const std::string file = folder.file("log.txt");
    ASSERT_TRUE(fs::appendTextFile(file, "a\nb\n"));
    ASSERT_TRUE(fs::appendTextFile(file, "c"));
    EXPECT_EQ(readFile(file), "a\r\nb\r\nc");
    EXPECT_FALSE(fs::appendTextFile(fs::joinPath(folder.file("no-such-folder"), "x.txt"), "x"));
}

TEST(FileHelpers, CopyFileIntoAFolderKeepsTheSourceName) {
    TempFolder from;
    TempFolder to;
    std::string binary(3000, '\0');
    for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 7);
    writeFile(from.file("data.bin"), binary);

    ASSERT_TRUE(fs::copyFile(from.file("data.bin"), to.path()));
    EXPECT_EQ(readFile(to.file("data.bin")), binary);
}

TEST(FileHelpers, CopyFileReplacesTheTargetAndFailsWithoutASource) {
    TempFolder folder;
    writeFile(folder.file("new.txt"), "new");
    writeFile(folder.file("old.txt"), "old and longer");
    ASSERT_TRUE(fs::copyFile(folder.file("new.txt"), folder.file("old.txt")));
    EXPECT_EQ(readFile(folder.file("old.txt")), "new");
    EXPECT_FALSE(fs::copyFile(folder.file("missing.txt"), folder.file("other.txt")));
}

}  // namespace
