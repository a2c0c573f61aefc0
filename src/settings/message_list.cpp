#include "settings/message_list.h"

#include "settings/localisation.h"
#include "settings/setting_keys.h"
#include "util/file_system.h"
#include "util/log.h"

#include <algorithm>
#include <climits>

namespace k = settingKeys;

namespace {

std::string indexedKey(const settingKeys::StringKey& prefix, size_t index) {
    return prefix.name + std::to_string(index);
}

// Every message we save stores two keys besides the count, so a count above
// the number of keys can only come from a damaged file; taking it at its word
// could mean billions of empty messages.
int plausibleCount(const keslKeyValue& store) {
    const int count = store.getInt(k::messagesCount.name, k::messagesCount.defaultValue);
    const int keys = static_cast<int>(std::min<size_t>(store.keyCount(), INT_MAX));
    if (count <= keys) return count;
    logWarning("#4431: messagesCount %d exceeds the %d stored keys; reading %d", count, keys, keys);
    return keys;
}

// A translated text breaks its lines as a message does, with CR LF.
std::string localisedMessageText(const char* key, const std::string& english) {
    keslLocalisation& localisation = keslLocalisation::get();
    if (!localisation.hasTranslation(key)) return english;
    return keslFileSystemMini::replaceAll(localisation.translate(key), "\n", "\r\n");
}

keslMessage localisedDefault(const keslMessage& english, const char* textKey, const char* bottomLineKey) {
    return {localisedMessageText(textKey, english.text), localisedMessageText(bottomLineKey, english.bottomLine)};
}

}  // namespace

const keslMessage cMessageList::kFirstDefaultMessage{"Your message\r\nhere", "and your bottom line here"};
const keslMessage cMessageList::kSecondDefaultMessage{"Orvanel\r\nscreensaver",
                                                      "Share the night sky: download Orvanel at www.orvanel.com"};

cMessageList::cMessageList(keslKeyValue& store) : m_store(store) {}

void cMessageList::load() {
    m_messages.clear();
    const int count = plausibleCount(m_store);
    for (int index = 1; index <= count; ++index) {
        const std::string text = m_store.getString(indexedKey(k::messagePrefix, index).c_str(), k::messagePrefix.defaultValue);
        const std::string bottomLine =
            m_store.getString(indexedKey(k::bottomLinePrefix, index).c_str(), k::bottomLinePrefix.defaultValue);
        m_messages.push_back({text, bottomLine});
    }
    if (m_messages.empty() && !m_store.getBool(k::defaultMessagesAdded.name, k::defaultMessagesAdded.defaultValue)) {
        // Written in the interface's language; stored, they stay as they are.
        m_messages.push_back(localisedDefault(kFirstDefaultMessage, "trn.First message", "trn.First bottom line"));
        m_messages.push_back(localisedDefault(kSecondDefaultMessage, "trn.Second message", "trn.Second bottom line"));
        m_store.setBool(k::defaultMessagesAdded.name, true);
        save();
    }
    m_currentIndex = m_messages.empty() ? -1 : 0;
}

void cMessageList::save() {
    m_store.setInt(k::messagesCount.name, static_cast<int>(m_messages.size()));
    for (size_t i = 0; i < m_messages.size(); ++i) {
        m_store.setString(indexedKey(k::messagePrefix, i + 1).c_str(), m_messages[i].text);
        m_store.setString(indexedKey(k::bottomLinePrefix, i + 1).c_str(), m_messages[i].bottomLine);
    }
}
