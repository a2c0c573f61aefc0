#include "support/log_capture.h"

#include "util/file_system.h"
#include "util/log.h"

LogCapture::LogCapture() : m_file(m_folder.file("captured.keslLog.txt")) {
    keslLogFileWriterWithBuffer& writer = keslLogFileWriterWithBuffer::get();
    m_previous = writer.getFilename();
    keslFileSystemMini::truncateFile(m_file);
    writer.setFilename(m_file);
}

LogCapture::~LogCapture() { keslLogFileWriterWithBuffer::get().setFilename(m_previous); }

std::string LogCapture::contents() const { return readFile(m_file); }
