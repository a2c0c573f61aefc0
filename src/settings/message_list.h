// The user's messages and their bottom lines as the settings file keeps them:
// "messagesCount", then "message1"/"bottomline1" and so on. The two default
// messages are added the first time only, so a user who deletes them all
// keeps an empty list.
#pragma once

#include "settings/key_value.h"

#include <string>
#include <vector>

struct keslMessage {
    std::string text;
    std::string bottomLine;
    bool operator==(const keslMessage& other) const { return text == other.text && bottomLine == other.bottomLine; }
};

class cMessageList {
public:
    // The pairs added once when the list is found empty; the second bottom
    // line says where to get the program.
    static const keslMessage kFirstDefaultMessage;
    static const keslMessage kSecondDefaultMessage;

    explicit cMessageList(keslKeyValue& store);

    void load();
    // Keys of higher indexes from a longer earlier list stay and are ignored.
    void save();

    std::vector<keslMessage>& messages() { return m_messages; }
    const std::vector<keslMessage>& messages() const { return m_messages; }
    // 0 for a non-empty list after loading, -1 for an empty one.
    int currentIndex() const { return m_currentIndex; }
    void setCurrentIndex(int index) { m_currentIndex = index; }

private:
    keslKeyValue& m_store;
    std::vector<keslMessage> m_messages;
    int m_currentIndex = -1;
};
