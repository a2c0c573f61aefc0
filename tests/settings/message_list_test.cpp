#include "settings/message_list.h"
#include "settings/settings.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageList, FirstLoadAddsTheTwoDefaultMessagesAndStoresThem) {
    TempFolder folder;
    const std::string path = folder.file("messages.ini");
    {
        keslSettings store(path.c_str());
        cMessageList list(store);
        list.load();
        EXPECT_EQ(list.messages(),
                  (std::vector<keslMessage>{cMessageList::kFirstDefaultMessage, cMessageList::kSecondDefaultMessage}));
        EXPECT_EQ(list.currentIndex(), 0);
    }
    keslSettings reloaded(path.c_str());
    EXPECT_EQ(reloaded.getInt("messagesCount", 0), 2);
    EXPECT_EQ(reloaded.getString("message1", ""), "Your message\r\nhere");
    EXPECT_EQ(reloaded.getString("bottomline1", ""), "and your bottom line here");
    EXPECT_EQ(reloaded.getString("message2", ""), "Orvanel\r\nscreensaver");
    EXPECT_TRUE(reloaded.getBool("msg_defaultMessagesAdded", false));
}

TEST(MessageList, DeletingEveryMessageKeepsTheListEmptyNextTime) {
    keslKeyValue store;
    cMessageList list(store);
    list.load();
    list.messages().clear();
    list.save();

    cMessageList next(store);
    next.load();
    EXPECT_TRUE(next.messages().empty());
    EXPECT_EQ(next.currentIndex(), -1);
    EXPECT_EQ(store.getInt("messagesCount", -1), 0);
}

TEST(MessageList, OnlyTheCountedMessagesAreRead) {
    keslKeyValue store;
    store.setInt("messagesCount", 2);
    for (int i = 1; i <= 5; ++i) {
        store.setString(("message" + std::to_string(i)).c_str(), "m" + std::to_string(i));
        store.setString(("bottomline" + std::to_string(i)).c_str(), "b" + std::to_string(i));
    }
    cMessageList list(store);
    list.load();
    EXPECT_EQ(list.messages(), (std::vector<keslMessage>{{"m1", "b1"}, {"m2", "b2"}}));
}

TEST(MessageList, ShorteningTheListLeavesOldKeysThatAreIgnored) {
    keslKeyValue store;
    cMessageList list(store);
    list.messages() = {{"a", "1"}, {"b", "2"}, {"c", "3"}};
    list.save();
    list.messages().pop_back();
    list.save();
    EXPECT_EQ(store.getString("message3", ""), "c");
    cMessageList reloaded(store);
    reloaded.load();
    EXPECT_EQ(reloaded.messages().size(), 2u);
}

TEST(MessageList, MissingMessageKeysReadAsEmptyAndAnAbsurdCountIsBounded) {
    keslKeyValue store;
    store.setInt("messagesCount", 2);
    store.setString("message1", "only one");
    cMessageList list(store);
    list.load();
    EXPECT_EQ(list.messages(), (std::vector<keslMessage>{{"only one", ""}, {"", ""}}));

    store.setInt("messagesCount", 2'000'000'000);
    list.load();
    EXPECT_LE(list.messages().size(), store.entries().size());
}

}  // namespace
