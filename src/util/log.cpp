#include "util/log.h"

#include "system/system_services.h"
#include "util/file_system.h"

#include <cstdarg>
#include <cstdio>
#include <iostream>
#include <stdexcept>

namespace fs = keslFileSystemMini;

namespace {

constexpr const char* kLogFileName = "Orvanel.keslLog.txt";
// %Y-%m-%d rather than %F: the Windows C runtime does not know %F.
constexpr const char* kTimestampFormat = "     \t%Y-%m-%d  %X";

#ifdef ORVANEL_DEBUG_BUILD
constexpr const char* kCompiledMode = "Compiled in Debug mode";
#else
constexpr const char* kCompiledMode = "Compiled in Release mode";
#endif

std::string timestampLine(std::time_t now) {
    std::tm local{};
    if (!keslSystemServices().localTime(now, local)) return std::string();
    char text[128];
    const size_t length = std::strftime(text, sizeof text, kTimestampFormat, &local);
    return std::string(text, length) + "\n";
}

void formatInto(char (&buffer)[keslLogFormatter::kFormatBufferSize], const char* format, va_list args) {
    const int written = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (written < 0) buffer[0] = '\0';
}

void addFormattedTo(keslLogFormatter& channel, const char* format, va_list args) {
    char buffer[keslLogFormatter::kFormatBufferSize];
    formatInto(buffer, format, args);
    channel.add(buffer);
}

}  // namespace

// ---- writer ----------------------------------------------------------------

keslLogFileWriterWithBuffer::keslLogFileWriterWithBuffer() : m_earlyBuffer("keslLogFileWriterWithBuffer starting.\n") {}

keslLogFileWriterWithBuffer& keslLogFileWriterWithBuffer::get() {
    static auto* writer = new keslLogFileWriterWithBuffer();
    return *writer;
}

void keslLogFileWriterWithBuffer::setFilename(const std::string& filename) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_filename = filename;
    if (fs::fileExists(m_filename)) {
        fs::truncateFile(m_filename);
        fs::appendTextFile(m_filename, m_earlyBuffer);
    }
    m_earlyBuffer.clear();
    m_earlyBudget = 0;
}

std::string keslLogFileWriterWithBuffer::getFilename() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_filename;
}

void keslLogFileWriterWithBuffer::add(const std::string& text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    try {
        if (!m_filename.empty()) {
            if (fs::fileExists(m_filename)) fs::appendTextFile(m_filename, text);
            return;
        }
        if (m_earlyBudget > 0) {
            m_earlyBuffer += text;
            --m_earlyBudget;
        }
    } catch (...) {
        std::cerr << "Exception in keslLogFileWriterWithBuffer.add(" << text << ")";
        throw std::runtime_error(
            "Exception #6246 in keslLogFileWriterWithBuffer.add() when calling keslFileSystemMini::appendTextFile()");
    }
}

// ---- channel ---------------------------------------------------------------

keslLogFormatter::keslLogFormatter(const std::string& tag, bool createFile, bool echo, keslLogSharedState& shared,
                                   keslLogFileWriterWithBuffer& writer)
    : m_tag(tag), m_writeOnlyIfFileExists(!createFile), m_echo(echo), m_shared(shared), m_writer(writer) {
    if (m_tag.empty()) std::cerr << "Error: #5613a: m_tag.length()==0";
}

void keslLogFormatter::add(const char* text) {
    if (!text) {
        std::cerr << "keslLogFormatter::add(NULL)";
        return;
    }
    const std::string filename = m_writer.getFilename();
    if (!filename.empty() && !fs::fileExists(filename) && !m_writeOnlyIfFileExists) fs::truncateFile(filename);

    std::string line;
    const std::time_t now = keslSystemServices().currentTime();
    if (static_cast<std::int64_t>(now) != m_shared.lastTimestampSecond.exchange(static_cast<std::int64_t>(now))) {
        line = timestampLine(now);
    }
    if (m_tag.empty()) std::cerr << "Error: #5613b: !(m_tag.length()>0) with text=" << text;

    line += m_tag;
    for (int level = m_shared.indentLevel.load(); level > 0; --level) line += m_indentUnit;
    line += text;
    line += '\n';
    m_writer.add(line);

    if (m_echo) {
        std::cout << line;
        keslSystemServices().debugOutput(line);
    }
    m_nothingWrittenYet = false;
}

void keslLogFormatter::addFormatted(const char* format, ...) {
    if (!format) {
        add(static_cast<const char*>(nullptr));
        return;
    }
    va_list args;
    va_start(args, format);
    addFormattedTo(*this, format, args);
    va_end(args);
}

// ---- manager ---------------------------------------------------------------

keslLogManager::keslLogManager(keslLogFileWriterWithBuffer& writer, bool echo)
    : m_writer(writer),
      m_error(kErrorTag, true, echo, m_shared, writer),
      m_warning(kWarningTag, true, echo, m_shared, writer),
      m_info(kInfoTag, true, echo, m_shared, writer) {
    m_info.add("keslLog starting");
    m_info.add(kCompiledMode);
    m_info.addFormatted("Application build timestamp:%s  %s", __DATE__, __TIME__);
}

namespace {
// The system's background threads have no log of their own: they warn through
// this one, from the start of the process on.
const bool g_systemNoticesLogged = [] {
    installSystemNoticeSink([](const std::string& text) { logWarning("%s", text.c_str()); });
    return true;
}();
}  // namespace

keslLogManager& keslLogManager::get() {
    static auto* manager = new keslLogManager(keslLogFileWriterWithBuffer::get());
    return *manager;
}

void logInfo(const char* format, ...) {
    va_list args;
    va_start(args, format);
    addFormattedTo(keslLogManager::get().info(), format, args);
    va_end(args);
}

void logWarning(const char* format, ...) {
    va_list args;
    va_start(args, format);
    addFormattedTo(keslLogManager::get().warning(), format, args);
    va_end(args);
}

void logError(const char* format, ...) {
    va_list args;
    va_start(args, format);
    addFormattedTo(keslLogManager::get().error(), format, args);
    va_end(args);
}

// ---- set-up at start -------------------------------------------------------

std::string getFolderForTheLogFile() {
    const std::string folder = keslSystemServices().tempFolder();
    if (!fs::folderExists(folder) && !fs::createFolder(folder)) {
        std::cerr << "#8672: getFolderForTheLogFile() could not create folder:" << folder << "\n";
    }
    return folder;
}

std::string getLogFilename() { return fs::joinPath(getFolderForTheLogFile(), kLogFileName); }

bool copyLogToDesktop(const std::string& logFilename) {
    const std::string desktop = keslSystemServices().desktopFolder();
    if (desktop.empty()) return false;
    return fs::copyFile(logFilename, fs::joinPath(desktop, fs::getFileNameOfPath(logFilename)));
}

namespace {

bool logHoldsErrors(const std::string& filename) {
    std::string contents;
    return fs::readWholeFile(filename, contents) && contents.find(keslLogManager::kErrorTag) != std::string::npos;
}

std::string buildConfiguration() {
    std::string text = "Build configuration: ";
#ifdef ORVANEL_DEBUG_BUILD
    text += "debug";
#else
    text += "release";
#endif
#if defined(_WIN64)
    text += ", Windows x64";
#elif defined(_WIN32)
    text += ", Windows x86";
#else
    text += ", Linux";
#endif
    return text + ", version " ORVANEL_VERSION;
}

}  // namespace

void setupLogAtProcessStart(keslLogManager& manager) {
    manager.info().add(buildConfiguration());
    const std::string filename = getLogFilename();
    if (manager.copyOnError() && logHoldsErrors(filename)) copyLogToDesktop(filename);
    // Creating the file here (not only emptying it) keeps the early lines of a
    // first-ever run, which would otherwise have no file to land in.
    fs::truncateFile(filename);
    manager.writer().setFilename(filename);

    const keslSystem& system = keslSystemServices();
    system.debugOutput("Log filename:" + filename);
    manager.info().addFormatted("Log filename:%s", filename.c_str());
    const std::string appFilename = system.modulePath();
    system.debugOutput("App filename:" + appFilename);
    manager.info().addFormatted("App filename:%s", appFilename.c_str());
    if (!fs::fileExists(filename)) system.debugOutput("Disabling log becase file does not exist at:" + filename);
}
