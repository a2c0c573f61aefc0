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

// Windows-1253 (Greek) from 0x80 up.
char32_t windows1253ToUnicode(unsigned char c) {
    static const char16_t kHigh[128] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0xFFFD, 0x2030, 0xFFFD, 0x2039, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,
        0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0xFFFD, 0x2122, 0xFFFD, 0x203A, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,
        0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
        0x00A8, 0x00A9, 0xFFFD, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,
        0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7,
        0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F,
        0x0390, 0x0391, 0x0392, 0x0393, 0x0394, 0x0395, 0x0396, 0x0397,
        0x0398, 0x0399, 0x039A, 0x039B, 0x039C, 0x039D, 0x039E, 0x039F,
        0x03A0, 0x03A1, 0xFFFD, 0x03A3, 0x03A4, 0x03A5, 0x03A6, 0x03A7,
        0x03A8, 0x03A9, 0x03AA, 0x03AB, 0x03AC, 0x03AD, 0x03AE, 0x03AF,
        0x03B0, 0x03B1, 0x03B2, 0x03B3, 0x03B4, 0x03B5, 0x03B6, 0x03B7,
        0x03B8, 0x03B9, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BE, 0x03BF,
        0x03C0, 0x03C1, 0x03C2, 0x03C3, 0x03C4, 0x03C5, 0x03C6, 0x03C7,
        0x03C8, 0x03C9, 0x03CA, 0x03CB, 0x03CC, 0x03CD, 0x03CE, 0xFFFD,
    };
    return c < 0x80 ? c : kHigh[c - 0x80];
}

void appendUtf8(char32_t codePoint, std::string& out) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
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

std::string keslCodePageToUtf8(const std::string& text, keslCodePage codePage) {
    std::string utf8;
    utf8.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        appendUtf8(codePage == keslCodePage::windows1253 ? windows1253ToUnicode(byte) : windows1252ToUnicode(byte), utf8);
    }
    return utf8;
}
