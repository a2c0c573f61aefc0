// Feeds arbitrary bytes to the user quotes loader, as a damaged, binary or
// hostile userQuotes.txt would be. The quotes must not depend on how the
// file was cut into blocks, must be printable lines within the length limit,
// stay UTF-8 where the file was, and load through the collection itself.
#include "platform/text_encoding.h"
#include "quotes/quotes.h"
#include "quotes/user_quotes_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> readInPieces(const char* data, size_t size, size_t piece) {
    cUserQuotesReader reader;
    for (size_t at = 0; at < size; at += piece) reader.feed(data + at, std::min(piece, size - at));
    reader.finish();
    return reader.takeQuotes();
}

bool isAscii(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

void removeScratchFile();

// One file per fuzzing process, removed when it ends.
const std::string& scratchFile() {
    static const std::string path = "/tmp/orvanel-quotes-fuzz-" + std::to_string(getpid()) + ".txt";
    static const bool removedAtExit = std::atexit(removeScratchFile) == 0;
    (void)removedAtExit;
    return path;
}

void removeScratchFile() { std::remove(scratchFile().c_str()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size == 0) return 0;
    const size_t piece = 1 + bytes[0] % 7;
    const char* data = reinterpret_cast<const char*>(bytes + 1);
    const size_t length = size - 1;

    const std::vector<std::string> whole = readInPieces(data, length, length + 1);
    if (readInPieces(data, length, piece) != whole) __builtin_trap();
    const bool utf8 = keslIsMultiByteUtf8(data, length) || isAscii(std::string(data, length));
    for (const std::string& quote : whole) {
        if (quote.empty() || quote.size() > cUserQuotesReader::kMaxQuoteBytes) __builtin_trap();
        if (quote.front() == ' ' || quote.back() == ' ') __builtin_trap();
        for (char c : quote) {
            const auto b = static_cast<unsigned char>(c);
            if (b < 0x20 || b == 0x7F) __builtin_trap();
        }
        if (utf8 && !isAscii(quote) && !keslIsMultiByteUtf8(quote.data(), quote.size())) __builtin_trap();
    }

    std::FILE* file = std::fopen(scratchFile().c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, length, file);
    std::fclose(file);
    cQuotes quotes(scratchFile());
    if (quotes.userQuoteCount() != whole.size()) __builtin_trap();
    const std::string chosen = quotes.getRandom({kQuoteUser});
    if (whole.empty() ? !chosen.empty() : std::find(whole.begin(), whole.end(), chosen) == whole.end()) {
        __builtin_trap();
    }
    return 0;
}
