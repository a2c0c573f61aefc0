#include "quotes/quote_choice.h"

#include "quotes/quotes.h"

#include <utility>

std::vector<std::int32_t> allowedQuoteCategories(const cQuoteSettings& settings) {
    const std::pair<const keslBoolSetting*, std::int32_t> order[] = {
        {&settings.advice, kQuoteAdvice},         {&settings.wisdom, kQuoteWisdom}, {&settings.peace, kQuotePeace},
        {&settings.womenVsMen, kQuoteWomenVsMen}, {&settings.funny, kQuoteFunny},   {&settings.love, kQuoteLove},
        {&settings.userQuotes, kQuoteUser},
    };
    std::vector<std::int32_t> categories;
    for (const auto& [setting, category] : order) {
        if (setting->get()) categories.push_back(category);
    }
    return categories;
}

bool quotesEnabled(const cQuoteSettings& settings, const std::function<const cQuotes&()>& collection) {
    if (settings.love.get() || settings.wisdom.get() || settings.advice.get() || settings.funny.get() ||
        settings.womenVsMen.get() || settings.peace.get()) {
        return true;
    }
    return settings.userQuotes.get() && collection().userQuoteCount() > 0;
}
