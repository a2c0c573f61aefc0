#include "app/command_line.h"
#include "app/monitor_id.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramName, QuotedOrPlainNameAndTheBlanksAfterItAreSkipped) {
    EXPECT_STREQ(skipProgramName("\"C:\\Program Files\\Orvanel.scr\"  /s"), "/s");
    EXPECT_STREQ(skipProgramName("C:\\Windows\\Orvanel.scr /p 1234"), "/p 1234");
    EXPECT_STREQ(skipProgramName("Orvanel.scr"), "");
    EXPECT_STREQ(skipProgramName("\"unterminated"), "");
    EXPECT_STREQ(skipProgramName(nullptr), "");
}

TEST(HostArguments, RunInEverySpelling) {
    for (const char* args : {"/s", "-S", "s", "  /S extra words"}) {
        EXPECT_EQ(parseHostArguments(args).mode, keslHostMode::Run) << args;
    }
}

TEST(HostArguments, PreviewReadsTheWindowNumber) {
    EXPECT_EQ(parseHostArguments("/p 1234").windowNumber, 1234u);
    EXPECT_EQ(parseHostArguments("/l1234").windowNumber, 1234u);
    EXPECT_EQ(parseHostArguments("/P   77x").windowNumber, 77u);
    EXPECT_EQ(parseHostArguments("/p").windowNumber, 0u);
    EXPECT_EQ(parseHostArguments("/p abc").windowNumber, 0u);
    EXPECT_EQ(parseHostArguments("/l1234").mode, keslHostMode::Preview);
}

TEST(HostArguments, PreviewAcceptsTheColonFormToo) {
    const keslHostCommand command = parseHostArguments("/p:1234");
    EXPECT_EQ(command.mode, keslHostMode::Preview);
    EXPECT_EQ(command.windowNumber, 1234u);
}

TEST(HostArguments, ConfigurationTakesItsParentOnlyAfterAColon) {
    EXPECT_EQ(parseHostArguments("/c:1234").windowNumber, 1234u);
    EXPECT_EQ(parseHostArguments("/c:0").windowNumber, 0u);
    EXPECT_EQ(parseHostArguments("/c 1234").windowNumber, 0u);
    EXPECT_EQ(parseHostArguments("/C").mode, keslHostMode::Configure);
    EXPECT_EQ(parseHostArguments("").mode, keslHostMode::NoMode);
    EXPECT_EQ(parseHostArguments(" - / ").mode, keslHostMode::NoMode);
}

TEST(HostArguments, PasswordChangeAndUnknownLetters) {
    const keslHostCommand change = parseHostArguments("/a 99");
    EXPECT_EQ(change.mode, keslHostMode::ChangePassword);
    EXPECT_EQ(change.windowNumber, 99u);
    EXPECT_EQ(parseHostArguments("/x").mode, keslHostMode::Unknown);
    EXPECT_EQ(parseHostArguments("/sp").mode, keslHostMode::Run);  // only the first letter counts
}

TEST(SplitCommandLine, CutsAtRunsOfBlanksAndTabsIgnoringQuotes) {
    EXPECT_EQ(splitCommandLine("C:\\Orvanel.scr  /p\t1234"),
              (std::vector<std::string>{"C:\\Orvanel.scr", "/p", "1234"}));
    EXPECT_EQ(splitCommandLine("\"C:\\Program Files\\o.scr\" /s"),
              (std::vector<std::string>{"\"C:\\Program", "Files\\o.scr\"", "/s"}));
    EXPECT_TRUE(splitCommandLine("   ").empty());
    EXPECT_TRUE(splitCommandLine(std::string(4096, 'x')).empty());
    EXPECT_EQ(splitCommandLine(std::string(4095, 'x')).size(), 1u);
}

TEST(MonitorId, PreviewOnlyWhenTheFirstArgumentIsExactlyLowerCaseP) {
    EXPECT_EQ(monitorIdFor({"Orvanel.scr", "/p", "1234"}, false), -1);
    EXPECT_EQ(monitorIdFor({"Orvanel.scr", "/s"}, false), 0);
    EXPECT_EQ(monitorIdFor({"Orvanel.scr", "/P", "1234"}, false), 0);
    EXPECT_EQ(monitorIdFor({"Orvanel.scr", "/p:1234"}, false), 0);
    EXPECT_EQ(monitorIdFor({"Orvanel.scr"}, false), 0);
}

TEST(MonitorId, AHostRunningAPreviewIsBelievedWhateverTheTokens) {
    // A program path with blanks shifts the tokens; "/p:1234" is one token.
    EXPECT_EQ(monitorIdFor({"C:\\Program", "Files\\Orvanel.scr", "/p", "1234"}, true), -1);
    EXPECT_EQ(monitorIdFor({"Orvanel.scr", "/p:1234"}, true), -1);
}

}  // namespace
