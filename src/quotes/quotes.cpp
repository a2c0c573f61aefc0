#include "quotes/quotes.h"

#include "quotes/quote_table.h"
#include "quotes/user_quotes_reader.h"
#include "sprites/random.h"
#include "system/system_services.h"
#include "util/file_system.h"
#include "util/log.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace fs = keslFileSystemMini;

namespace {

constexpr const char* kCompanyFolderName = "Orvanel software";
constexpr const char* kUserQuotesFileName = "userQuotes.txt";
constexpr std::size_t kReadBlockBytes = 64 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool containsCategory(const std::vector<std::int32_t>& categories, std::int32_t category) {
    return std::find(categories.begin(), categories.end(), category) != categories.end();
}

// The user finds an empty file to fill in the folder after the first run.
void ensureUserQuotesFileExists(const std::string& path) {
    const std::string folder = fs::getFolderOfPath(path);
    if (!fs::folderExists(folder) && !fs::createFolder(folder)) {
        logWarning("could not create the folder of the user quotes file:%s", folder.c_str());
    }
    if (fs::fileExists(path)) return;
    FilePtr created(std::fopen(path.c_str(), "wb"));
    if (!created) logWarning("could not create the user quotes file:%s", path.c_str());
}

}  // namespace

std::string userQuotesFilePath() {
    return fs::joinPath(fs::joinPath(keslSystemServices().appDataFolder(), kCompanyFolderName), kUserQuotesFileName);
}

cQuotes::cQuotes(const std::string& userQuotesPath) {
    m_list.reserve(kFirstBlockQuoteCount + kMainBlockQuoteCount);
    m_list.insert(m_list.end(), std::begin(kFirstBlockQuotes), std::end(kFirstBlockQuotes));
    m_list.insert(m_list.end(), std::begin(kMainBlockQuotes), std::end(kMainBlockQuotes));
    loadUserQuotes(userQuotesPath);
    logInfo("cQuotes::quotesList() loaded %i quotes", static_cast<int>(m_list.size()));
}

cQuotes& cQuotes::get() {
    static cQuotes quotes(userQuotesFilePath());
    return quotes;
}

void cQuotes::loadUserQuotes(const std::string& path) {
    ensureUserQuotesFileExists(path);
    logInfo("loading user quotes from file:%s", path.c_str());
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        logWarning("could not open the user quotes file:%s", path.c_str());
        return;
    }
    cUserQuotesReader reader;
    std::vector<char> block(kReadBlockBytes);
    long long bytesRead = 0;
    std::size_t ignored = 0;
    while (bytesRead < kMaxUserFileBytes && m_userTexts.size() < kMaxUserQuotes) {
        const std::size_t got = std::fread(block.data(), 1, block.size(), file.get());
        if (got == 0) break;
        bytesRead += static_cast<long long>(got);
        reader.feed(block.data(), got);
        ignored += addUserQuotes(reader.takeQuotes());
    }
    if (std::ferror(file.get())) logWarning("reading the user quotes file failed after %lld bytes", bytesRead);
    const bool unread = !std::feof(file.get()) && std::fgetc(file.get()) != EOF;
    reader.finish();
    ignored += addUserQuotes(reader.takeQuotes());
    reportUserQuotes(reader, ignored, unread);
}

std::size_t cQuotes::addUserQuotes(const std::vector<std::string>& texts) {
    std::size_t ignored = 0;
    for (const std::string& text : texts) {
        if (m_userTexts.size() >= kMaxUserQuotes) {
            ++ignored;
            continue;
        }
        auto copy = std::make_unique<char[]>(text.size() + 1);
        std::memcpy(copy.get(), text.c_str(), text.size() + 1);
        if (m_userTexts.size() < kUserQuotesLoggedSingly) logInfo("Adding user quote:%s", copy.get());
        m_list.push_back(sQuote{kQuoteUser, copy.get()});
        m_userTexts.push_back(std::move(copy));
    }
    return ignored;
}

// A huge or damaged file must not flood the log: a few lines name the
// first problems, one line counts the rest.
void cQuotes::reportUserQuotes(const cUserQuotesReader& reader, std::size_t ignored, bool unread) const {
    if (m_userTexts.size() > kUserQuotesLoggedSingly) {
        logInfo("%i more user quotes added", static_cast<int>(m_userTexts.size() - kUserQuotesLoggedSingly));
    }
    const std::vector<long>& cut = reader.cutLines();
    for (std::size_t i = 0; i < cut.size() && i < kProblemsLoggedSingly; ++i) {
        logWarning("user quote in line %li is longer than %i bytes and was cut", cut[i],
                   static_cast<int>(cUserQuotesReader::kMaxQuoteBytes));
    }
    if (cut.size() > kProblemsLoggedSingly) logWarning("%i user quotes were cut in all", static_cast<int>(cut.size()));
    if (ignored > 0 || unread) {
        logWarning("the user quotes file is too large: only its first %i quotes or %lld bytes are used",
                   static_cast<int>(kMaxUserQuotes), kMaxUserFileBytes);
    }
}

const char* cQuotes::getRandom(const std::vector<std::int32_t>& allowedCategories) {
    if (allowedCategories.empty()) return kNoAllowedCategoriesText;
    if (m_list.empty()) return kEmptyListText;
    keslSeedRandomOnce();
    for (int attempt = 0; attempt < kRandomAttempts; ++attempt) {
        if (m_list.empty()) return "";
        const sQuote candidate = m_list[static_cast<std::size_t>(std::rand()) % m_list.size()];
        if (containsCategory(allowedCategories, candidate.category)) return candidate.text;
        keslRemoveWhere(m_list, quotesWhere(candidate.category));
    }
    return "";
}

std::size_t cQuotes::userQuoteCount() const {
    return static_cast<std::size_t>(
        std::count_if(m_list.begin(), m_list.end(), [](const sQuote& q) { return q.category == kQuoteUser; }));
}
