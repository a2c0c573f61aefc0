// Turns the bytes of the user's quotes file into quotes: one per line, in
// file order. The file is whatever the user's editor wrote, or something
// else entirely, so the reader takes any bytes: LF, CR LF and lone CR all end
// a line; a UTF-8 byte-order mark is dropped; control bytes (a NUL among them)
// become spaces, because the text travels on as a C string and is drawn with
// line-breaking calls; blank lines are skipped; a line longer than the label
// could ever show is cut, never inside a UTF-8 sequence. Bytes arrive in
// pieces of any size, so a file is read in blocks and never held whole.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class cUserQuotesReader {
public:
    // A quote's bytes at most; a built-in quote has at most 136.
    static constexpr std::size_t kMaxQuoteBytes = 512;

    void feed(const char* data, std::size_t size);
    // Ends the last line when the file does not end with a line break.
    void finish();

    // Quotes completed since the last call, in file order.
    std::vector<std::string> takeQuotes();

    // Lines seen so far (blank ones included) and the lines that were cut.
    long lineCount() const { return m_lineCount; }
    const std::vector<long>& cutLines() const { return m_cutLines; }

private:
    void addByte(unsigned char c);
    void endLine();
    void dropPartialSequence();

    std::string m_line;
    std::vector<std::string> m_quotes;
    std::vector<long> m_cutLines;
    long m_lineCount = 0;
    std::size_t m_lineBytes = 0;
    std::size_t m_bomBytesSeen = 0;
    bool m_atFileStart = true;
    bool m_lastWasCarriageReturn = false;
};
