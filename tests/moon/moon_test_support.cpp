#include "moon/moon_test_support.h"

#include "moon/moon_time.h"
#include "system/system_services.h"
#include "support/temp_folder.h"
#include "util/file_system.h"

#include <cstdlib>
#include <ctime>

namespace {

std::int64_t wallSecondsOf(const std::tm& local) {
    return utcSecondsFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                               local.tm_sec);
}

std::tm localTmOf(std::int64_t t) {
    std::tm local{};
    keslSystemServices().localTime(static_cast<std::time_t>(t), local);
    return local;
}

}  // namespace

LocalWallTime localWallTimeOf(std::int64_t t) {
    const std::tm local = localTmOf(t);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

std::int64_t utcOffsetAt(std::int64_t t) { return wallSecondsOf(localTmOf(t)) - t; }

std::int64_t instantOfLocal(int year, int month, int day, int hour, int minute) {
    const std::int64_t wall = utcSecondsFromCivil(year, month, day, hour, minute, 0);
    // Two corrections settle on the right offset even across a daylight-saving change.
    std::int64_t guess = wall - utcOffsetAt(wall);
    guess = wall - utcOffsetAt(guess);
    return guess;
}

#ifndef _WIN32
ScopedTimeZone::ScopedTimeZone(const char* zone) {
    if (const char* previous = std::getenv("TZ")) {
        m_hadZone = true;
        m_previousZone = previous;
    }
    setenv("TZ", zone, 1);
    tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
    if (m_hadZone) {
        setenv("TZ", m_previousZone.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}
#endif

struct CapturedLog::Impl {
    TempFolder folder;
    std::string filename = folder.file("moon.keslLog.txt");
    keslLogFileWriterWithBuffer writer;
};

CapturedLog::CapturedLog() : m_impl(std::make_unique<Impl>()) {
    keslFileSystemMini::truncateFile(m_impl->filename);
    m_impl->writer.setFilename(m_impl->filename);
    m_manager = std::make_unique<keslLogManager>(m_impl->writer);
}

CapturedLog::~CapturedLog() = default;

bool CapturedLog::contains(const std::string& line) const {
    const std::string text = readFile(m_impl->filename);
    std::size_t position = 0;
    while ((position = text.find(line, position)) != std::string::npos) {
        const std::size_t end = position + line.size();
        const bool endsLine = end == text.size() || text[end] == '\r' || text[end] == '\n';
        if (endsLine) return true;
        position = end;
    }
    return false;
}
