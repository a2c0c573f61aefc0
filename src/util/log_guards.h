// Scope guards that write a start line, indent everything logged inside the
// scope by one level, and write the matching end line (followed by an empty
// line) when the scope ends, however it ends.
#pragma once

#include "util/log.h"

#include <string>

class logBlockOfCode {
public:
    logBlockOfCode(const char* text, const char* startTag, const char* endTag,
                   keslLogManager& manager = keslLogManager::get());
    virtual ~logBlockOfCode();
    logBlockOfCode(const logBlockOfCode&) = delete;
    logBlockOfCode& operator=(const logBlockOfCode&) = delete;

protected:
    std::string m_text;

private:
    std::string m_endTag;
    keslLogManager& m_manager;
};

class logFunctionLife : public logBlockOfCode {
public:
    explicit logFunctionLife(const char* functionName, keslLogManager& manager = keslLogManager::get())
        : logBlockOfCode(functionName, "Entering", "Exiting", manager) {}
};

class logObjectLife : public logBlockOfCode {
public:
    explicit logObjectLife(const char* className, keslLogManager& manager = keslLogManager::get())
        : logBlockOfCode(className, "creating", "destroying", manager) {}
};

// Adds the time spent in the scope to its end line.
class logTimeCountrer : public logBlockOfCode {
public:
    explicit logTimeCountrer(const char* text, keslLogManager& manager = keslLogManager::get());
    // A timed block with its own start and end words (a timed function reads "Entering"/"Exiting").
    logTimeCountrer(const char* text, const char* startTag, const char* endTag,
                    keslLogManager& manager = keslLogManager::get());
    ~logTimeCountrer() override;

private:
    double m_startSeconds;
};
