// What only the GDI window has: a platform window handle that may be missing.
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

}  // namespace
