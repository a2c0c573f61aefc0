#include "quotes/user_quotes_reader.h"

namespace {

constexpr unsigned char kByteOrderMark[] = {0xEF, 0xBB, 0xBF};
constexpr std::size_t kByteOrderMarkSize = sizeof(kByteOrderMark);

bool isContinuationByte(unsigned char c) { return (c & 0xC0u) == 0x80u; }

bool isBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

std::string trimSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

void cUserQuotesReader::feed(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (m_atFileStart) {
            // A mark split across pieces is recognised all the same.
            if (c == kByteOrderMark[m_bomBytesSeen]) {
                if (++m_bomBytesSeen == kByteOrderMarkSize) m_atFileStart = false;
                continue;
            }
            m_atFileStart = false;
            for (std::size_t k = 0; k < m_bomBytesSeen; ++k) addByte(kByteOrderMark[k]);
        }
        addByte(c);
    }
}

void cUserQuotesReader::finish() {
    if (m_atFileStart) {
        m_atFileStart = false;
        for (std::size_t k = 0; k < m_bomBytesSeen; ++k) addByte(kByteOrderMark[k]);
    }
    if (m_lineBytes > 0) endLine();
}

std::vector<std::string> cUserQuotesReader::takeQuotes() {
    std::vector<std::string> taken;
    taken.swap(m_quotes);
    return taken;
}

void cUserQuotesReader::addByte(unsigned char c) {
    // CR LF ends one line, not two.
    const bool afterCarriageReturn = m_lastWasCarriageReturn;
    m_lastWasCarriageReturn = c == '\r';
    if (c == '\n' && afterCarriageReturn) return;
    if (c == '\n' || c == '\r') {
        endLine();
        return;
    }
    ++m_lineBytes;
    if (m_lineBytes <= kMaxQuoteBytes) {
        m_line.push_back(c < 0x20 || c == 0x7F ? ' ' : static_cast<char>(c));
        return;
    }
    if (m_lineBytes == kMaxQuoteBytes + 1) {
        m_cutLines.push_back(m_lineCount + 1);
        if (isContinuationByte(c)) dropPartialSequence();
    }
}

// The cut fell inside a UTF-8 sequence: its first bytes go too, so the kept
// text stays valid wherever it was valid.
void cUserQuotesReader::dropPartialSequence() {
    size_t end = m_line.size();
    while (end > 0 && isContinuationByte(static_cast<unsigned char>(m_line[end - 1]))) --end;
    if (end > 0 && static_cast<unsigned char>(m_line[end - 1]) >= 0xC0u) m_line.resize(end - 1);
}

void cUserQuotesReader::endLine() {
    ++m_lineCount;
    if (!isBlank(m_line)) m_quotes.push_back(trimSpaces(m_line));
    m_line.clear();
    m_lineBytes = 0;
}
