// Which quotes the settings let the label show. Built-in categories are there
// whenever their setting is on; the user's own quotes count only when the
// file actually gave some, so an empty file does not keep a label alive that
// could never show anything.
#pragma once

#include "settings/app_settings.h"

#include <cstdint>
#include <functional>
#include <vector>

class cQuotes;

// The categories in the label's order: Advice, Wisdom, Peace, Women versus
// men, Funny, Love, user quotes; each only when its setting is on.
std::vector<std::int32_t> allowedQuoteCategories(const cQuoteSettings& settings);

// True when a built-in category is on, or user quotes are on and the
// collection holds one. The collection is asked for only in the second case.
bool quotesEnabled(const cQuoteSettings& settings, const std::function<const cQuotes&()>& collection);
