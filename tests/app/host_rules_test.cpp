#include "app/draw_regions.h"
#include "util/exception_guard.h"
#include "app/host_rules.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(MouseMove, MoreThanFourPixelsCloses) {
    const keslPoint<long> reference{100, 100};
    EXPECT_FALSE(mouseMoveCloses(reference, {103, 101}));
    EXPECT_TRUE(mouseMoveCloses(reference, {103, 102}));
    EXPECT_TRUE(mouseMoveCloses(reference, {95, 100}));
    EXPECT_FALSE(mouseMoveCloses(reference, {98, 98}));
}

TEST(PowerBroadcast, SuspendAndResumeCloseButStatusChangesDoNot) {
    EXPECT_EQ(powerBroadcastAnswer(0, 0), keslPowerAnswer::GrantQuery);
    for (unsigned long event : {1ul, 2ul, 3ul, 4ul, 5ul, 9ul, 11ul}) {
        EXPECT_EQ(powerBroadcastAnswer(event, 0), keslPowerAnswer::Close) << event;
    }
    for (unsigned long event : {6ul, 7ul, 8ul, 18ul}) {
        EXPECT_EQ(powerBroadcastAnswer(event, 0), keslPowerAnswer::Close) << event;
        EXPECT_EQ(powerBroadcastAnswer(event, 1), keslPowerAnswer::KeepRunning) << event;
    }
    EXPECT_EQ(powerBroadcastAnswer(10, 0), keslPowerAnswer::KeepRunning);
    EXPECT_EQ(powerBroadcastAnswer(0x8013, 0), keslPowerAnswer::KeepRunning);
}

TEST(DrawRegions, PreviewIsOneRegionOfTheWindowAtTheOrigin) {
    const auto regions = computeDrawRegions(true, keslRect<int>(300, 500, 152, 112), {{0, 0, 1920, 1080}});
    ASSERT_EQ(regions.size(), 1u);
    EXPECT_EQ(regions[0], keslRect<int>(0, 0, 152, 112));
    EXPECT_EQ(totalPixelsOf(regions), 17024);
}

TEST(DrawRegions, MonitorsAreShiftedToTheDesktopsTopLeft) {
    // Primary at (0, 0) 1920x1080, secondary left of it at -1280 with 1280x1024.
    const auto regions =
        computeDrawRegions(false, keslRect<int>(0, -1280, 3200, 1080), {{0, 0, 1920, 1080}, {0, -1280, 1280, 1024}});
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_EQ(regions[0], keslRect<int>(0, 1280, 1920, 1080));
    EXPECT_EQ(regions[1], keslRect<int>(0, 0, 1280, 1024));
}

TEST(DrawRegions, MonitorAboveThePrimaryShiftsTopsToo) {
    const auto regions = computeDrawRegions(false, keslRect<int>(), {{0, 0, 800, 600}, {-768, 0, 1024, 768}});
    EXPECT_EQ(regions[0], keslRect<int>(768, 0, 800, 600));
    EXPECT_EQ(regions[1], keslRect<int>(0, 0, 1024, 768));
}

TEST(DrawRegions, NoMonitorsGiveTheWindowRectangle) {
    const keslRect<int> window(10, 20, 640, 480);
    const auto regions = computeDrawRegions(false, window, {});
    ASSERT_EQ(regions.size(), 1u);
    EXPECT_EQ(regions[0], window);
}

TEST(TotalPixels, SumsRegionsWithAFloorOf100) {
    EXPECT_EQ(totalPixelsOf({keslRect<int>(0, 0, 1920, 1080)}), 2073600);
    EXPECT_EQ(totalPixelsOf({}), 100);
    EXPECT_EQ(totalPixelsOf({keslRect<int>(0, 0, 5, 5)}), 100);
}

TEST(ExceptionGuard, CatchesEveryKindLogsItWithTheContextAndCarriesOn) {
    LogCapture log;
    int after = 0;
    runGuarded("ctx", [] { throw std::runtime_error("boom"); });
    runGuarded("ctx", [] { throw std::logic_error("logic"); });
    runGuarded("ctx", [] { throw "text"; });
    runGuarded("ctx", [] { throw L"wide"; });
    runGuarded("ctx", [] { throw 42; });
    runGuarded("ctx", [] { throw 4.5; });
    runGuarded("ctx", [] {
        static std::runtime_error shared("by pointer");
        throw static_cast<const std::exception*>(&shared);
    });
    runGuarded("ctx", [] {
        throw static_cast<const std::exception*>(nullptr);
    });
    runGuarded("ctx", [&] { after = 1; });
    EXPECT_EQ(after, 1);

    const std::string text = log.contents();
    EXPECT_NE(text.find("ERROR>\tRuntime error caught:\r\nboom\r\nctx"), std::string::npos) << text;
    EXPECT_NE(text.find("ERROR>\tException caught:\r\nlogic\r\nctx"), std::string::npos);
    EXPECT_NE(text.find("ERROR>\tException caught:\r\ntext\r\nctx"), std::string::npos);
    EXPECT_NE(text.find("ERROR>\tException caught:\r\nwide\r\nctx"), std::string::npos);
    EXPECT_NE(text.find("ERROR>\tinteger exception caught:42\r\nctx"), std::string::npos);
    EXPECT_NE(text.find("ERROR>\tException caught:ctx"), std::string::npos);
    EXPECT_NE(text.find("ERROR>\tException caught:\r\nby pointer\r\nctx"), std::string::npos);
    size_t errorLines = 0;
    for (size_t at = text.find("ERROR>"); at != std::string::npos; at = text.find("ERROR>", at + 1)) ++errorLines;
    EXPECT_EQ(errorLines, 7u);  // nothing for the null pointer
}

}  // namespace
