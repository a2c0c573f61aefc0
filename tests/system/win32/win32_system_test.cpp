#include "system/system_services.h"

#include <gtest/gtest.h>

#include <ctime>

// The sky's clock counts from the file time; an epoch or unit off by anything
// would move the moon's phase and the clock's hour.
TEST(Win32System, CurrentTimeIsTheCLibrarysUnixTime) {
    const std::time_t before = std::time(nullptr);
    const std::time_t now = keslSystemServices().currentTime();
    const std::time_t after = std::time(nullptr);
    EXPECT_GE(now, before - 1);
    EXPECT_LE(now, after + 1);
    EXPECT_GT(now, 1767225600);  // 2026-01-01
}
