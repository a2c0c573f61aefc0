#include "support/fake_system.h"
#include "support/temp_folder.h"
#include "util/file_system.h"
#include "util/log.h"
#include "util/log_guards.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool isTimestampLine(const std::string& line) { return line.rfind("     \t", 0) == 0; }

int countTimestampLines(const std::vector<std::string>& lines) {
    int count = 0;
    for (const auto& line : lines) count += isTimestampLine(line) ? 1 : 0;
    return count;
}

// A private writer and manager bound to a file in a temporary folder.
struct LogFixture : ::testing::Test {
    FakeSystem system;
    TempFolder folder;
    std::string filename = folder.file("test.keslLog.txt");
    keslLogFileWriterWithBuffer writer;
    std::unique_ptr<keslLogManager> manager;

    void SetUp() override {
        system.temp = folder.path();
        manager = std::make_unique<keslLogManager>(writer);
        keslFileSystemMini::truncateFile(filename);
        writer.setFilename(filename);
    }

    std::vector<std::string> messageLines() {
        std::vector<std::string> out;
        for (const auto& line : linesOf(readFile(filename))) {
            if (!isTimestampLine(line)) out.push_back(line);
        }
        return out;
    }
};

TEST_F(LogFixture, EarlyLinesAndTheStartLinesReachTheFileOnceBound) {
    const auto lines = messageLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "keslLogFileWriterWithBuffer starting.");
    EXPECT_EQ(lines[1], "Info>\tkeslLog starting");
    EXPECT_EQ(lines[2].rfind("Info>\tCompiled in ", 0), 0u);
    EXPECT_EQ(lines[3].rfind("Info>\tApplication build timestamp:", 0), 0u);
}

TEST_F(LogFixture, OneTimestampLinePerSecondAcrossChannels) {
    manager->info().add("first");
    manager->warning().add("second, same second");
    system.now += 1;
    manager->error().add("third, next second");

    const auto lines = linesOf(readFile(filename));
    // One time-stamp line came with the start lines, one with the third message.
    EXPECT_EQ(countTimestampLines(lines), 2);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_TRUE(isTimestampLine(lines[lines.size() - 2]));
    EXPECT_EQ(lines.back(), "ERROR>\tthird, next second");
}

TEST_F(LogFixture, TimestampLineShowsLocalDateAndTime) {
    system.now = 1'700'000'000 + 10;  // 2023-11-14 22:13:30 UTC
    manager->info().add("x");
    const std::string contents = readFile(filename);
    EXPECT_NE(contents.find("     \t2023-11-14  22:13:30\r\n"), std::string::npos) << contents;
}

TEST_F(LogFixture, NestedGuardsIndentWithOneUnitPerLevel) {
    {
        logFunctionLife outer("outer", *manager);
        logFunctionLife inner("inner", *manager);
        manager->info().add("deep");
    }
    manager->info().add("after");

    const auto lines = messageLines();
    std::vector<std::string> tail(lines.end() - 8, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"Info>\tEntering: outer", "Info>\t| Entering: inner",
                                              "Info>\t| | deep", "Info>\t| Exiting: inner", "",
                                              "Info>\tExiting: outer", "", "Info>\tafter"}));
}

TEST_F(LogFixture, ObjectGuardUsesCreatingAndDestroying) {
    { logObjectLife life("cMoonSprite", *manager); }
    const std::string contents = readFile(filename);
    EXPECT_NE(contents.find("Info>\tcreating: cMoonSprite\r\nInfo>\tdestroying: cMoonSprite\r\n\r\n"), std::string::npos);
}

TEST_F(LogFixture, TimeCounterAddsTheDurationToItsEndLine) {
    {
        logTimeCountrer timer("load", *manager);
        system.monotonic += 1.5;
    }
    EXPECT_NE(readFile(filename).find("Finished: load. Duration:1.500 sec\r\n\r\n"), std::string::npos);
}

TEST_F(LogFixture, NullTextsAreReplacedOrIgnored) {
    { logBlockOfCode block(nullptr, nullptr, nullptr, *manager); }
    manager->info().add(static_cast<const char*>(nullptr));
    const auto lines = messageLines();
    EXPECT_EQ(lines[lines.size() - 2], "Info>\taEndTag: null-tag-at-logBlockOfCode");
    EXPECT_EQ(lines[lines.size() - 3], "Info>\taStartTag: null-tag-at-logBlockOfCode");
}

TEST_F(LogFixture, FormattedMessagesAreCutAtTheBufferSize) {
    const std::string huge(10000, 'x');
    manager->info().addFormatted("%s", huge.c_str());
    const auto lines = messageLines();
    EXPECT_EQ(lines.back(), "Info>\t" + std::string(keslLogFormatter::kFormatBufferSize - 1, 'x'));
}

TEST_F(LogFixture, DeletedLogFileIsRecreatedByTheNextMessage) {
    ASSERT_EQ(std::remove(filename.c_str()), 0);
    manager->warning().add("still here");
    ASSERT_TRUE(keslFileSystemMini::fileExists(filename));
    EXPECT_EQ(messageLines(), std::vector<std::string>{"Warning>\tstill here"});
}

TEST(LogWriter, KeepsOnlyTheFirst200EarlyMessages) {
    FakeSystem system;
    TempFolder folder;
    keslLogFileWriterWithBuffer writer;
    for (int i = 0; i < 250; ++i) writer.add("line " + std::to_string(i) + "\n");
    const std::string filename = folder.file("early.txt");
    keslFileSystemMini::truncateFile(filename);
    writer.setFilename(filename);

    const auto lines = linesOf(readFile(filename));
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_EQ(lines.front(), "keslLogFileWriterWithBuffer starting.");
    EXPECT_EQ(lines.back(), "line 199");
}

TEST(LogWriter, DropsTextWhenTheBoundFileIsGone) {
    TempFolder folder;
    keslLogFileWriterWithBuffer writer;
    const std::string filename = folder.file("gone.txt");
    writer.setFilename(filename);
    writer.add("lost\n");
    EXPECT_FALSE(keslFileSystemMini::fileExists(filename));
}

struct LogSetup : ::testing::Test {
    FakeSystem system;
    TempFolder temp;
    TempFolder desktop;
    keslLogFileWriterWithBuffer writer;
    std::string logFile;

    void SetUp() override {
        system.temp = temp.path();
        system.desktop = desktop.path();
        system.module = "/opt/orvanel/Orvanel.scr";
        logFile = temp.file("Orvanel.keslLog.txt");
    }
};

TEST_F(LogSetup, PreviousLogWithAnErrorIsCopiedToTheDesktopBeforeBeingEmptied) {
    writeFile(logFile, "Info>\tfine\r\nERROR>\tsomething broke\r\n");
    keslLogManager manager(writer);
    setupLogAtProcessStart(manager);

    EXPECT_EQ(readFile(desktop.file("Orvanel.keslLog.txt")), "Info>\tfine\r\nERROR>\tsomething broke\r\n");
    const std::string fresh = readFile(logFile);
    EXPECT_EQ(fresh.find("something broke"), std::string::npos);
    EXPECT_NE(fresh.find("Info>\tkeslLog starting"), std::string::npos);
    EXPECT_NE(fresh.find("Info>\tLog filename:" + logFile), std::string::npos);
    EXPECT_NE(fresh.find("Info>\tApp filename:/opt/orvanel/Orvanel.scr"), std::string::npos);
}

TEST_F(LogSetup, PreviousLogWithoutErrorsStaysOffTheDesktop) {
    writeFile(logFile, "Info>\tfine\r\nWarning>\tonly a warning\r\n");
    keslLogManager manager(writer);
    setupLogAtProcessStart(manager);
    EXPECT_FALSE(keslFileSystemMini::fileExists(desktop.file("Orvanel.keslLog.txt")));
}

TEST_F(LogSetup, FirstRunEverKeepsTheEarlyLines) {
    keslLogManager manager(writer);
    setupLogAtProcessStart(manager);
    const auto lines = linesOf(readFile(logFile));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "keslLogFileWriterWithBuffer starting.");
    EXPECT_EQ(system.debugLines.front(), "Log filename:" + logFile);
}

}  // namespace
