// What only the GDI window has: a platform window handle that may be missing,
// and a flush that sends the window only the rectangles that changed.
#include "platform/test_window.h"
#include "platform/window.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

namespace {

TEST(GdiWindow, ANullHandleIsLoggedAndDrawsNowhere) {
    LogCapture log;
    keslWindow window(nullptr);
    EXPECT_TRUE(log.contains("ERROR>\tError: keslWindow(wHandle) with NIL wHandle"));
    window.clear();
    window.fillRect(keslRect<int>(0, 0, 10, 10), 0xFF0000FFu);
    spriteTextParams attributes;
    window.drawText(0, 0, "nowhere", attributes);
    window.flush();
    EXPECT_EQ(window.getClientWidth(), 0);
    EXPECT_EQ(window.getPixel(0, 0), 0x000000FFu);
}

TEST(GdiWindow, AFlushOfAChangeShowsItsRectanglesInPlace) {
    constexpr keslColor kWhite = 0xFFFFFFFFu;
    const std::unique_ptr<TestWindow> host = makeTestWindow(64, 48);
    keslWindow& window = host->window();
    window.clearWithColor(kWhite);
    window.flush();
    const auto pattern = [](int x, int y) {
        return makeColor(static_cast<std::uint8_t>(4 * x), static_cast<std::uint8_t>(5 * y), 0x80);
    };
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) window.setPixel(x, y, pattern(x, y));
    keslDirtyRegion changed;
    changed.reset(keslRect<int>(0, 0, 64, 48));
    changed.add(keslRect<int>(3, 5, 10, 4));    // top, left, width, height
    changed.add(keslRect<int>(30, 40, 7, 18));  // reaches the bottom edge
    window.setDamage(&changed);
    window.flush();
    window.setDamage(nullptr);

    window.setDoubleBuffered(false);
    int wrong = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            const bool inside = (x >= 5 && x < 15 && y >= 3 && y < 7) || (x >= 40 && x < 47 && y >= 30);
            wrong += window.getPixel(x, y) != (inside ? pattern(x, y) : kWhite);
        }
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
