// The fonts kept for the drawing tools: a kept font comes back for its key,
// and the one that makes room is really deleted, although a context of the
// cache held it selected (GDI puts off deleting a selected font).
#include "platform/gdi/gdi_font_cache.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

keslGdiFontCache::sFontKey keyOfHeight(int height) {
    keslGdiFontCache::sFontKey key;
    key.face = "Arial";
    key.height = height;
    return key;
}

TEST(GdiFontCache, AKeptFontComesBackAndTheLeastRecentlyUsedIsDeletedToMakeRoom) {
    keslGdiFontCache cache;
    std::vector<HFONT> fonts;
    for (int i = 0; i < keslGdiFontCache::kCapacity; ++i) fonts.push_back(cache.fontFor(keyOfHeight(10 + i)));
    ASSERT_NE(fonts.front(), nullptr);
    EXPECT_EQ(cache.fontFor(keyOfHeight(10)), fonts.front());

    const HFONT newcomer = cache.fontFor(keyOfHeight(100));

    ASSERT_NE(newcomer, nullptr);
    EXPECT_EQ(GetObjectType(fonts[1]), 0u) << "the least recently used font was not deleted";
    EXPECT_EQ(GetObjectType(fonts.front()), static_cast<DWORD>(OBJ_FONT));
    LOGFONTA described{};
    ASSERT_NE(GetObjectA(newcomer, sizeof described, &described), 0);
    EXPECT_EQ(described.lfHeight, -100);
}

}  // namespace
