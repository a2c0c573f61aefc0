// One quote of the collection: its category and its text. A text is one
// string whose display lines are separated by "|"; the author, when there is
// one, stands in parentheses on the last line. Texts are 8-bit strings that
// the collection keeps alive for the whole process, so a pointer to one can
// be handed to a sprite without copying.
#pragma once

#include <cstdint>

// Category numbers as the settings and stored files know them.
constexpr std::int32_t kQuoteLove = 1;
constexpr std::int32_t kQuoteWisdom = 2;
constexpr std::int32_t kQuoteWomenVsMen = 3;
constexpr std::int32_t kQuoteAdvice = 4;
constexpr std::int32_t kQuoteFunny = 5;
constexpr std::int32_t kQuotePeace = 8;
constexpr std::int32_t kQuoteUser = 10;

struct sQuote {
    std::int32_t category;
    const char* text;
};
