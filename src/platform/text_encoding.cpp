#include "platform/text_encoding.h"

namespace {

// Windows-1252 between 0x80 and 0x9F; elsewhere it agrees with Latin-1.
char32_t windows1252ToUnicode(unsigned char c) {
    static const char32_t kHigh[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    if (c >= 0x80 && c < 0xA0) return kHigh[c - 0x80];
    return c;
}

// Length of the well-formed UTF-8 sequence at p (at most `left` bytes), or 0.
// Overlong forms, surrogates and values past U+10FFFF are not well-formed.
std::size_t sequenceLength(const unsigned char* p, std::size_t left, char32_t& codePoint) {
    const unsigned char c = p[0];
    std::size_t length = 0;
    char32_t minimum = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        codePoint = c & 0x1Fu;
        minimum = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        codePoint = c & 0x0Fu;
        minimum = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        codePoint = c & 0x07u;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (length > left) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0u) != 0x80u) return 0;
        codePoint = (codePoint << 6) | (p[i] & 0x3Fu);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

bool keslIsMultiByteUtf8(const char* text, std::size_t length) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    bool multiByte = false;
    for (std::size_t i = 0; i < length;) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        char32_t ignored = 0;
        const std::size_t n = sequenceLength(p + i, length - i, ignored);
        if (n == 0) return false;
        multiByte = true;
        i += n;
    }
    return multiByte;
}

void keslDecodeText(const char* text, std::size_t length, std::u32string& decoded) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    decoded.clear();
    if (!keslIsMultiByteUtf8(text, length)) {
        for (std::size_t i = 0; i < length; ++i) decoded.push_back(windows1252ToUnicode(p[i]));
        return;
    }
    for (std::size_t i = 0; i < length;) {
        char32_t codePoint = p[i];
        const std::size_t n = p[i] < 0x80 ? 1 : sequenceLength(p + i, length - i, codePoint);
        decoded.push_back(codePoint);
        i += n;
    }
}
