// The built-in quotes, as data: a short first block that mixes every
// category, then the main block. The collection appends them in this order.
#pragma once

#include "quotes/quote.h"

#include <cstddef>

constexpr std::size_t kFirstBlockQuoteCount = 49;
constexpr std::size_t kMainBlockQuoteCount = 298;

extern const sQuote kFirstBlockQuotes[kFirstBlockQuoteCount];
extern const sQuote kMainBlockQuotes[kMainBlockQuoteCount];
