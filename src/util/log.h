// The diagnostic log: one text file in the temporary folder, emptied at every
// start, that every part of the system writes to. Three channels (error,
// warning, information) share one nesting level and one time-stamp second so
// the file reads as a single indented story. Lines that arrive before the
// file's name is known wait in a small early buffer.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

class keslLogFileWriterWithBuffer {
public:
    static constexpr int kEarlyBufferBudget = 200;

    keslLogFileWriterWithBuffer();
    // The one writer of the process, created on first use and never destroyed.
    static keslLogFileWriterWithBuffer& get();

    // Binds the file: empties an existing one and moves the early buffer into it.
    void setFilename(const std::string& filename);
    std::string getFilename() const;
    // Appends to the bound file, or keeps the text in the early buffer until then.
    void add(const std::string& text);

private:
    mutable std::mutex m_mutex;
    std::string m_filename;
    std::string m_earlyBuffer;
    int m_earlyBudget = kEarlyBufferBudget;
};

// Nesting and time-stamp second, shared by every channel of one manager.
struct keslLogSharedState {
    std::atomic<int> indentLevel{0};
    std::atomic<std::int64_t> lastTimestampSecond{0};
};

class keslLogFormatter {
public:
    static constexpr size_t kFormatBufferSize = 8000;

    keslLogFormatter(const std::string& tag, bool createFile, bool echo, keslLogSharedState& shared,
                     keslLogFileWriterWithBuffer& writer);

    void add(const char* text);
    void add(const std::string& text) { add(text.c_str()); }
    void addFormatted(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    bool hasWritten() const { return !m_nothingWrittenYet; }
    const std::string& getTag() const { return m_tag; }

private:
    const std::string m_indentUnit = "| ";
    std::string m_tag;
    std::atomic<bool> m_nothingWrittenYet{true};
    bool m_writeOnlyIfFileExists;
    bool m_echo;
    keslLogSharedState& m_shared;
    keslLogFileWriterWithBuffer& m_writer;
};

class keslLogManager {
public:
    static constexpr const char* kErrorTag = "ERROR>\t";
    static constexpr const char* kWarningTag = "Warning>\t";
    static constexpr const char* kInfoTag = "Info>\t";

    explicit keslLogManager(keslLogFileWriterWithBuffer& writer, bool echo = false);
    virtual ~keslLogManager() = default;
    // The one manager of the process, created on first use and never destroyed.
    static keslLogManager& get();

    keslLogFormatter& error() { return m_error; }
    keslLogFormatter& warning() { return m_warning; }
    keslLogFormatter& info() { return m_info; }
    keslLogFileWriterWithBuffer& writer() { return m_writer; }
    int indentLevel() const { return m_shared.indentLevel.load(); }
    void indent() { ++m_shared.indentLevel; }
    void unindent() { --m_shared.indentLevel; }

    bool copyOnError() const { return m_copyOnError; }

private:
    bool m_copyOnError = true;
    keslLogSharedState m_shared;
    keslLogFileWriterWithBuffer& m_writer;
    keslLogFormatter m_error;
    keslLogFormatter m_warning;
    keslLogFormatter m_info;
};

// printf-style shorthands on the process's manager.
void logInfo(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
void logWarning(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
void logError(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The log file's folder (the temporary folder, created if missing) and name.
std::string getFolderForTheLogFile();
std::string getLogFilename();
// Copies the log file to the desktop, replacing an older copy.
bool copyLogToDesktop(const std::string& logFilename);
// Run once at process start, before the application exists: keeps the
// previous run's log on the desktop if it held errors, empties the file and
// binds the writer to it.
void setupLogAtProcessStart(keslLogManager& manager = keslLogManager::get());
