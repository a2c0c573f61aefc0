#include "app/command_line.h"

#include <cctype>

namespace {

constexpr size_t kLongestSplitCommandLine = 4096;

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

const char* skipBlanks(const char* text) {
    while (*text && isBlankOrControl(*text)) ++text;
    return text;
}

std::uintptr_t readWindowNumber(const char* text) {
    std::uintptr_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + static_cast<std::uintptr_t>(*text - '0');
    return value;
}

// Some hosts glue the window to the letter with a colon ("/p:1234", "/c:1234").
const char* skipOneColon(const char* text) { return *text == ':' ? text + 1 : text; }

}  // namespace

const char* skipProgramName(const char* commandLine) {
    if (!commandLine) return "";
    const char* text = commandLine;
    if (*text == '"') {
        ++text;
        while (*text && *text != '"') ++text;
        if (*text == '"') ++text;
    } else {
        while (*text && !isBlankOrControl(*text)) ++text;
    }
    return skipBlanks(text);
}

keslHostCommand parseHostArguments(const char* arguments) {
    keslHostCommand command;
    const char* text = arguments ? arguments : "";
    while (*text == ' ' || *text == '-' || *text == '/') ++text;
    if (!*text) return command;

    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(*text)));
    ++text;
    switch (letter) {
        case 's':
            command.mode = keslHostMode::Run;
            break;
        case 'p':
        case 'l':
            command.mode = keslHostMode::Preview;
            command.windowNumber = readWindowNumber(skipBlanks(skipOneColon(text)));
            break;
        case 'c':
            command.mode = keslHostMode::Configure;
            if (*text == ':') command.windowNumber = readWindowNumber(text + 1);
            break;
        case 'a':
            command.mode = keslHostMode::ChangePassword;
            command.windowNumber = readWindowNumber(skipBlanks(text));
            break;
        default:
            command.mode = keslHostMode::Unknown;
            break;
    }
    return command;
}

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
    std::vector<std::string> tokens;
    if (commandLine.size() >= kLongestSplitCommandLine) return tokens;
    size_t start = 0;
    while (start < commandLine.size()) {
        start = commandLine.find_first_not_of(" \t", start);
        if (start == std::string::npos) break;
        const size_t end = commandLine.find_first_of(" \t", start);
        tokens.push_back(commandLine.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end;
    }
    return tokens;
}
