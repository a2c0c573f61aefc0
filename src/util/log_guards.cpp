#include "util/log_guards.h"

#include "system/system_services.h"

#include <cstdio>

logBlockOfCode::logBlockOfCode(const char* text, const char* startTag, const char* endTag, keslLogManager& manager)
    : m_text(text ? text : "null-tag-at-logBlockOfCode"), m_endTag(endTag ? endTag : "aEndTag"), m_manager(manager) {
    m_manager.info().add(std::string(startTag ? startTag : "aStartTag") + ": " + m_text);
    m_manager.indent();
}

logBlockOfCode::~logBlockOfCode() {
    m_manager.unindent();
    try {
        m_manager.info().add(m_endTag + ": " + m_text + "\n");
    } catch (...) {
        // A destructor must not throw; the writer already reported the failure.
    }
}

logTimeCountrer::logTimeCountrer(const char* text, keslLogManager& manager)
    : logBlockOfCode(text, "Starting", "Finished", manager), m_startSeconds(keslSystemServices().monotonicSeconds()) {}

logTimeCountrer::logTimeCountrer(const char* text, const char* startTag, const char* endTag, keslLogManager& manager)
    : logBlockOfCode(text, startTag, endTag, manager), m_startSeconds(keslSystemServices().monotonicSeconds()) {}

logTimeCountrer::~logTimeCountrer() {
    char duration[64];
    std::snprintf(duration, sizeof duration, ". Duration:%.3f sec", keslSystemServices().monotonicSeconds() - m_startSeconds);
    m_text += duration;
}
