// Every quote the screensaver can show: the built-in ones and, as a category
// of their own, the lines of the user's quotes file. The process builds its
// collection once, on first use, and asks it only one thing: a random quote
// of one of these categories. A category that is not wanted is dropped from
// the process's list the first time it is met, so later picks never meet it
// again and every allowed quote stays equally likely.
#pragma once

#include "quotes/quote.h"
#include "util/vector_as_db.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cUserQuotesReader;

// Names the entries of one category.
class quotesWhere : public keslVectorAsDB_where<sQuote> {
public:
    explicit quotesWhere(std::int32_t category) : m_category(category) {}
    bool test(const sQuote& entry) const override { return entry.category == m_category; }

private:
    std::int32_t m_category;
};

class cQuotes {
public:
    static constexpr const char* kNoAllowedCategoriesText = "empty allowedCategories";
    static constexpr const char* kEmptyListText = "empty quotesDynamicList";
    static constexpr int kRandomAttempts = 11;
    // Beyond these, a huge file would only cost memory and start-up time.
    static constexpr std::size_t kMaxUserQuotes = 100000;
    static constexpr long long kMaxUserFileBytes = 32LL * 1024 * 1024;
    // User quotes logged one by one; the rest are counted in one line.
    static constexpr std::size_t kUserQuotesLoggedSingly = 100;
    static constexpr std::size_t kProblemsLoggedSingly = 3;

    // The built-in quotes, then the user's file at that path (its folder and
    // the file itself are created, empty, when missing).
    explicit cQuotes(const std::string& userQuotesPath);
    cQuotes(const cQuotes&) = delete;
    cQuotes& operator=(const cQuotes&) = delete;

    // The process's collection, built on first use from userQuotesFilePath().
    static cQuotes& get();

    const std::vector<sQuote>& quotesList() const { return m_list; }
    // A quote of one of the categories, or one of the two texts above when
    // nothing can be asked, or an empty text when no allowed quote is left.
    // The text lives as long as this collection.
    const char* getRandom(const std::vector<std::int32_t>& allowedCategories);
    // User quotes still in the list.
    std::size_t userQuoteCount() const;

private:
    void loadUserQuotes(const std::string& path);
    // Returns how many did not fit.
    std::size_t addUserQuotes(const std::vector<std::string>& texts);
    void reportUserQuotes(const cUserQuotesReader& reader, std::size_t ignored, bool unread) const;

    std::vector<sQuote> m_list;
    // Owns the user texts, so the list's pointers outlive any removal.
    std::vector<std::unique_ptr<char[]>> m_userTexts;
};

// The application-data folder, "Orvanel software", "userQuotes.txt".
std::string userQuotesFilePath();
