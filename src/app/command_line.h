// What the screensaver host is asked to do, read from its command line:
// run full screen, show a preview inside a given window, configure, or
// change the password. The parsing is portable so every form the system's
// display settings use can be tested without Windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class keslHostMode {
    NoMode,          // nothing on the line: configure without a parent
    Configure,       // "c"
    Run,             // "s"
    Preview,         // "p" or "l"
    ChangePassword,  // "a"
    Unknown,
};

struct keslHostCommand {
    keslHostMode mode = keslHostMode::NoMode;
    // The window number that followed the mode letter; 0 when there was none.
    std::uintptr_t windowNumber = 0;
};

// The arguments after the program's own name (quoted or not) and the blanks after it.
const char* skipProgramName(const char* commandLine);
// Only the first mode letter counts; "-", "/" and blanks before it are optional.
keslHostCommand parseHostArguments(const char* arguments);

// The command line cut at every run of blanks and tabs; quotes are not special.
// Empty for a line of 4096 characters or more.
std::vector<std::string> splitCommandLine(const std::string& commandLine);
