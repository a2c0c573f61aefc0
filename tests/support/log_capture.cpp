#include "support/log_capture.h"

#include "util/file_system.h"
#include "util/log.h"

LogCapture::LogCapture() : m_file(m_folder.file("captured.keslLog.txt")) {
    keslLogFileWriterWithBuffer& writer = keslLogFileWriterWithBuffer::get();
    m_previous = writer.getFilename();
    keslFileSystemMini::truncateFile(m_file);
    writer.setFilename(m_file);
    // The writer hands its early lines to the first file it is bound to; they
    // belong to whatever ran before this test.
    keslFileSystemMini::truncateFile(m_file);
}

LogCapture::~LogCapture() { keslLogFileWriterWithBuffer::get().setFilename(m_previous); }

std::string LogCapture::contents() const { return readFile(m_file); }
