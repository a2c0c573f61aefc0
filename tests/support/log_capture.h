// Points the process's log at a file of its own for one test, so the test can
// read what the code under test logged.
#pragma once

#include "support/temp_folder.h"

#include <string>

class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::string contents() const;
    bool contains(const std::string& text) const { return contents().find(text) != std::string::npos; }

private:
    TempFolder m_folder;
    std::string m_file;
    std::string m_previous;
};
